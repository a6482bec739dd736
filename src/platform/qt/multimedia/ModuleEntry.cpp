// The entry point of the media module (see MediaBackend.h).
#include "platform/qt/multimedia/MultimediaBackend.h"

extern "C" Q_DECL_EXPORT tv::MediaBackend *tonvela_media_backend(tv::MediaBackendEvents events,
                                                                 double volume) {
    return tv::makeMultimediaBackend(std::move(events), volume).release();
}
