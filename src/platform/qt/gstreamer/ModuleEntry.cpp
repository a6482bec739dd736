// The entry point of the media module (see MediaBackend.h).
#include "platform/qt/gstreamer/PipelineBackend.h"
#include "platform/qt/gstreamer/SongPipeline.h"

#include <utility>

namespace {

// The pipeline made ahead, for the first engine; made and taken on different
// threads, which MediaModule.h keeps apart.
std::unique_ptr<tv::SongPipeline> &preparedPipeline() {
    static std::unique_ptr<tv::SongPipeline> pipeline;
    return pipeline;
}

} // namespace

extern "C" Q_DECL_EXPORT tv::MediaBackend *tonvela_media_backend(tv::MediaBackendEvents events,
                                                                 double volume) {
    return tv::makePipelineBackend(std::exchange(preparedPipeline(), nullptr), std::move(events),
                                   volume)
        .release();
}

// Run on a thread of its own once the window is on the screen (MediaModule.h):
// the engine started, and the MP3 chain made with its sound output open.
extern "C" Q_DECL_EXPORT void tonvela_media_prepare() {
    preparedPipeline() = tv::SongPipeline::mp3Chain();
}
