// The title of an MP3 file from its last 128 bytes, whatever they hold: a
// tag gives "artist - title" of two fields at most (or, from a tag at the
// start, two texts of no more than the bytes each) and no zero bytes,
// anything else the file's name without its extension.
#include "FuzzCheck.h"

#include "MemoryFs.h"
#include "core/Globals.h"
#include "editing/Tags.h"
#include "platform/Ports.h"

using namespace tv;

namespace {

bool isTag(const QByteArray &bytes) {
    return bytes.size() >= 128 && bytes.sliced(bytes.size() - 128).startsWith("TAG");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static const QString path = QStringLiteral("C:/Музыка/song.mp3");
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    test::MemoryFs fs;
    fs.addFile(path, bytes);
    P().fs = &fs;
    G().PathSep = QStringLiteral("/");

    const QString title = InfoMP3M(path);
    fuzz::check(!title.contains(QChar(0)), "no zero in the title");
    if (!isTag(bytes) && !bytes.startsWith("ID3")) {
        fuzz::check(title == QStringLiteral("song"), "no tag: the file's name");
    } else if (title != QStringLiteral("song")) {
        fuzz::check(title.contains(QStringLiteral(" - ")), "artist - title");
        // From a tag at the start, each of the two texts at most the file's
        // bytes: a mangled tag may give both from the same bytes.
        const qsizetype most =
            bytes.startsWith("ID3") ? qMax<qsizetype>(63, 2 * bytes.size() + 3) : 63;
        fuzz::check(title.size() <= most, "two fields at most, or the text of a tag at the start");
    }
    P().fs = nullptr;
    return 0;
}
