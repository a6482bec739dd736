// Songs made from any texts keep to their lines: written as an album and
// read back they are the same songs, or the writer refuses them because they
// would not be. A song the program makes itself - any title, the lettered
// path of any native name - is never refused and leads back to its file.
// The UTF-8 a text takes is counted as it is made.
#include "FuzzCheck.h"

#include "core/AlbumFormat.h"
#include "core/TextLines.h"
#include "platform/qt/DriveFileSystem.h"

using namespace tv;

namespace {

bool readsBack(const QStringList &songs) {
    return AlbumFormat::parse(AlbumFormat::format(songs)) == songs;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static const DriveFileSystem fs({{QStringLiteral("Z"), QStringLiteral("/")}});
    // Texts apart at U+FFFE: as songs whole, and as pairs of title and name.
    const QStringList texts = fuzz::utf16(data, size).split(QChar(0xFFFE));
    for (const QString &text : texts)
        fuzz::check(Utf8::size(text) == Utf8::encode(text).size(), "UTF-8 counted as made");
    const bool held = AlbumFormat::holds(texts);
    fuzz::check(held == readsBack(texts), "refused exactly when a song would not read back");

    QStringList songs;
    QStringList natives;
    for (qsizetype i = 0; i + 1 < texts.size(); i += 2) {
        QString name = texts.at(i + 1);
        name.remove(QLatin1Char('/'));
        name.remove(QChar(0));
        natives << QLatin1Char('/') + name;
        songs << SongEntry::join(texts.at(i), fs.fromNative(natives.last()));
    }
    fuzz::check(AlbumFormat::holds(songs), "a song the program made is refused");
    const QStringList back = AlbumFormat::parse(AlbumFormat::format(songs));
    fuzz::check(back == songs, "made songs read back");
    for (qsizetype i = 0; i < back.size(); ++i) {
        const SongEntry song = SongEntry::split(back.at(i));
        fuzz::check(song.title.size() == texts.at(2 * i).size(), "the title keeps its length");
        fuzz::check(fs.toNative(song.path) == natives.at(i), "the path finds its file");
    }
    return 0;
}
