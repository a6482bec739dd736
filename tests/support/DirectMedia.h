#pragma once

// The media engine linked into the test instead of loaded as the module, and
// kept at hand so that a test can look into it.

#include "platform/qt/gstreamer/PipelineBackend.h"
#include "platform/qt/gstreamer/SongPipeline.h"

namespace tv::test {

class DirectMedia {
public:
    MakeMediaBackend maker() {
        return [this](MediaBackendEvents events, double volume) {
            auto backend = std::make_unique<PipelineBackend>(SongPipeline::mp3Chain(),
                                                             std::move(events), volume);
            m_backend = backend.get();
            return std::unique_ptr<MediaBackend>(std::move(backend));
        };
    }
    // None until the player made its engine.
    PipelineBackend *backend() const { return m_backend; }

private:
    PipelineBackend *m_backend = nullptr;
};

} // namespace tv::test
