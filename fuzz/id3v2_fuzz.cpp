// The title of an MP3 file whose first bytes are anything at all, followed by
// silence and no tag at its end: a tag at the start gives "artist - title" of
// no more characters than those bytes, anything else the file's name.
#include "FuzzCheck.h"

#include "MemoryFs.h"
#include "core/Globals.h"
#include "editing/Tags.h"
#include "platform/Ports.h"

using namespace tv;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static const QString path = QStringLiteral("C:/Музыка/song.mp3");
    const QByteArray head(reinterpret_cast<const char *>(data), qsizetype(size));
    test::MemoryFs fs;
    fs.addFile(path, head + QByteArray(300, '\0'));
    P().fs = &fs;
    G().PathSep = QStringLiteral("/");

    const QString title = InfoMP3M(path);
    fuzz::check(!title.contains(QChar(0)), "no zero in the title");
    if (!head.startsWith("ID3")) {
        fuzz::check(title == QStringLiteral("song"), "no tag: the file's name");
    } else if (title != QStringLiteral("song")) {
        fuzz::check(title.contains(QStringLiteral(" - ")), "artist - title");
        fuzz::check(title.size() <= head.size() + 3, "no more text than the tag holds");
    }
    fuzz::check(fs.reads.size() <= 3, "one opening, three pieces at most");
    P().fs = nullptr;
    return 0;
}
