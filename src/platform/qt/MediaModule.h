#pragma once

#include "platform/qt/MediaBackend.h"

namespace tv {

// The media engine from the module in the folder (libtonvela_media, beside
// the program). When the module cannot be loaded the reason goes to the error output and
// an engine that plays nothing stands in: the program then stays on the
// song it started, stopped, rather than running through every album.
std::unique_ptr<MediaBackend> loadMediaModule(const QString &folder, MediaBackendEvents events,
                                              double volume);

} // namespace tv
