// The entry point of the media module (see MediaBackend.h).
#include "platform/qt/gstreamer/EngineStart.h"
#include "platform/qt/gstreamer/PlaybinBackend.h"

extern "C" Q_DECL_EXPORT tv::MediaBackend *tonvela_media_backend(tv::MediaBackendEvents events,
                                                                 double volume) {
    return tv::makePlaybinBackend(std::move(events), volume).release();
}

// Run on a thread of its own once the window is on the screen (MediaModule.h).
// Opening the sound output there as well, ahead of the first song, made no
// difference that the start-up bench could tell.
extern "C" Q_DECL_EXPORT void tonvela_media_prepare() {
    tv::startEngine();
}
