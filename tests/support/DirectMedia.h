#pragma once

// The media engine linked into the test instead of loaded as the module, and
// kept at hand so that a test can look into it.

#include "platform/qt/gstreamer/Playbin.h"
#include "platform/qt/gstreamer/PlaybinBackend.h"

namespace tv::test {

class DirectMedia {
public:
    MakeMediaBackend maker() {
        return [this](MediaBackendEvents events, double volume) {
            auto backend =
                std::make_unique<PlaybinBackend>(makePlaybin(), std::move(events), volume);
            m_backend = backend.get();
            return std::unique_ptr<MediaBackend>(std::move(backend));
        };
    }
    // None until the player made its engine.
    PlaybinBackend *backend() const { return m_backend; }

private:
    PlaybinBackend *m_backend = nullptr;
};

} // namespace tv::test
