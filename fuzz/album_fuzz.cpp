// The album format on any file: it reads without harm, and the songs read
// are written so that reading them back gives the same songs.
#include "FuzzCheck.h"

#include "core/AlbumFormat.h"

using namespace tv;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QStringList songs =
        AlbumFormat::parse(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    const QByteArray written = AlbumFormat::format(songs);
    fuzz::check(AlbumFormat::parse(written) == songs, "read, write, read");
    fuzz::check(AlbumFormat::format(AlbumFormat::parse(written)) == written, "written twice");
    return 0;
}
