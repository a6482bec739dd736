// The album format on any file: it reads without harm, the songs read are
// written so that reading them back gives the same songs, and the songs held
// in the file's own bytes are the songs read, written alike.
#include "FuzzCheck.h"

#include "core/AlbumFormat.h"

using namespace tv;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QStringList songs = AlbumFormat::parse(bytes);
    const QByteArray written = AlbumFormat::format(songs);
    fuzz::check(AlbumFormat::parse(written) == songs, "read, write, read");
    fuzz::check(AlbumFormat::format(AlbumFormat::parse(written)) == written, "written twice");
    const SongList held = AlbumFormat::read(bytes);
    fuzz::check(held == songs, "held in the file's bytes");
    fuzz::check(AlbumFormat::format(held) == written, "written from the held songs");
    // Songs removed from anywhere leave the rest as they were.
    SongList fewer = held;
    QStringList expected = songs;
    for (qsizetype step = 1; !expected.isEmpty() && step < 5; ++step) {
        const qsizetype at = qsizetype(size * step) % expected.size();
        fewer.removeAt(at);
        expected.removeAt(at);
        fuzz::check(fewer == expected, "held songs after a removal");
    }
    return 0;
}
