#include "Fakes.h"
#include "Id3Tag.h"
#include "MemoryFs.h"

#include "core/Cp1251.h"
#include "core/Globals.h"
#include "editing/InfoMP3M.h"

using namespace tv;
using namespace tv::test;

namespace {

const QByteArray kAudio(4000, '\xff');

QByteArray cp1251(const char *utf8) {
    return Cp1251::encode(QString::fromUtf8(utf8));
}

// The two text frames of a v2 tag, in one encoding of the frames.
QByteArray v2Texts(int version, char encoding, const QByteArray &artist, const QByteArray &title) {
    const bool old = version == 2;
    return id3v2Text(version, old ? "TP1" : "TPE1", encoding, artist) +
           id3v2Text(version, old ? "TT2" : "TIT2", encoding, title);
}

QByteArray utf16Bom(const char *utf8) {
    return QByteArray("\xff\xfe", 2) + utf16(QString::fromUtf8(utf8), false);
}

} // namespace

class TestInfoMP3M : public QObject {
    Q_OBJECT
private slots:
    void titles_data() {
        columns<QString, QByteArray, QString>("path", "bytes", "title");
        const QString track = QStringLiteral("C:/Music/Track01.mp3");
        const QByteArray morning = id3v1("Morning", "Quartet");
        row("zero-padded fields", track, kAudio + morning, QString("Quartet - Morning"));
        row("exactly 128 bytes with a tag", track, morning, QString("Quartet - Morning"));
        row("127 bytes: no room for a tag", track, morning.mid(1).replace(0, 3, "TAG"),
            QString("Track01"));
        row("identifier in lower case", track, kAudio + id3v1("Morning", "Quartet", 0, "tag"),
            QString("Track01"));
        row("spaces before the zero fill stay", track, kAudio + id3v1("  Song  ", "Band"),
            QString("Band - Song  "));
        row("spaces after the zero fill go", track,
            kAudio + id3v1(QByteArray("Song\0\0\0", 7), "Band", ' '), QString("Band - Song"));
        row("space-padded fields", track, kAudio + id3v1("Song", "Band", ' '),
            QString("Band - Song"));
        row("title only", track, kAudio + id3v1("Intro", ""), QString(" - Intro"));
        row("artist only", track, kAudio + id3v1("", "Quartet", ' '), QString("Quartet - "));
        row("both empty, zero bytes", track, kAudio + id3v1("", ""), QString("Track01"));
        row("both empty, spaces", track, kAudio + id3v1("", "", ' '), QString("Track01"));
        row("Cyrillic bytes", track, kAudio + id3v1(cp1251("Группа крови"), cp1251("Кино")),
            QString::fromUtf8("Кино - Группа крови"));
        row("a path without separator", QString("C:song.mp3"), kAudio, QString("C:song"));
        row("a three-character name", QString("C:/Music/a.b"), kAudio, QString("a.b"));
        row("four characters only", QString("C:/Music/.mp3"), kAudio, QString(""));
        row("an empty file", QString("C:/Music/Empty.mp3"), QByteArray(), QString("Empty"));

        // Without a usable v1 tag, the v2 tag at the start of the file.
        const QByteArray band = v2Texts(3, 0, "Band", "Song");
        const QString bandSong("Band - Song");
        row("v2.3 UTF-16 with BOM", track,
            id3v2(3, v2Texts(3, 1, utf16Bom("Кино"), utf16Bom("Звезда"))) + kAudio,
            QString::fromUtf8("Кино - Звезда"));
        row("v2.4 UTF-8", track, id3v2(4, v2Texts(4, 3, "Ёлка", "Прощай")) + kAudio,
            QString::fromUtf8("Ёлка - Прощай"));
        row("v2.4 UTF-16BE", track,
            id3v2(4, v2Texts(4, 2, utf16(QString::fromUtf8("Аквариум"), true),
                             utf16(QString::fromUtf8("Рок"), true))) +
                kAudio,
            QString::fromUtf8("Аквариум - Рок"));
        row("v2.2 Latin-1", track, id3v2(2, v2Texts(2, 0, "Caf\xe9", "Nuit")) + kAudio,
            QString::fromUtf8("Café - Nuit"));
        row("v2 cleaned as v1", track, id3v2(3, v2Texts(3, 0, "  Band ", "Song  ")) + kAudio,
            bandSong);
        row("v2 title only", track, id3v2(3, v2Texts(3, 0, "", "Intro")) + kAudio,
            QString(" - Intro"));
        row("v2 both empty", track, id3v2(3, v2Texts(3, 0, "", "")) + kAudio, QString("Track01"));
        row("v1 first", track, id3v2(3, band) + kAudio + id3v1("Morning", "Quartet"),
            QString("Quartet - Morning"));
        row("an empty v1 tag gives way", track, id3v2(3, band) + kAudio + id3v1("", ""), bandSong);
        // Hostile tags: a title or the file name, never more than the tag.
        row("v2 claims more than the file", track, id3v2(3, band, 0, 5000), bandSong);
        row("v2 truncated frame", track, id3v2(3, band.left(band.size() - 2)),
            QString("Band - So"));
        row("v2 huge picture behind the texts", track,
            id3v2(3, band + id3v2Frame(3, "APIC", "x"), 0, 100'000'000) + kAudio, bandSong);
        row("v2 huge picture before the texts", track,
            id3v2(3, id3v2Frame(3, "APIC", "x").left(4) + id3Size(100'000'000, 4, 8) + band, 0,
                  100'000'000) +
                kAudio,
            QString("Track01"));
        row("v2 unsynchronised", track,
            id3v2(3, v2Texts(3, 0, "Band", "\xff\xe9t\xe9").replace("\xff", "\xff\x00"), '\x80') +
                kAudio,
            QString::fromUtf8("Band - ÿété"));
        row("v2 extended header", track,
            id3v2(4,
                  id3Size(6, 4, 7) + QByteArray("\x01\x00", 2) + v2Texts(4, 0, "Band", "Song") +
                      QByteArray(16, '\0'),
                  '\x40') +
                kAudio,
            bandSong);
        row("random bytes after ID3", track, "ID3" + QByteArray("\x93\x01\xffk\x80\x80z") + kAudio,
            QString("Track01"));
    }
    void titles() {
        QFETCH(QString, path);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, title);
        LogicEnv env;
        MemoryFs fs;
        P().fs = &fs;
        fs.addFile(path, bytes);
        QCOMPARE(InfoMP3M(path), title);
        // One opening: the v1 tag's bytes at the end, however large the
        // file, then at most the v2 tag's header and bytes at the start.
        QVERIFY(fs.reads.value(0).endsWith(QStringLiteral(":128")));
        QVERIFY(fs.reads.size() <= 3);
    }

    // A usable v1 tag spares the read at the start.
    void v1SparesTheV2Read() {
        LogicEnv env;
        MemoryFs fs;
        P().fs = &fs;
        const QString path = QStringLiteral("C:/Music/both.mp3");
        fs.addFile(path, id3v2(3, v2Texts(3, 0, "Band", "Song")) + kAudio + id3v1("Morning", ""));
        QCOMPARE(InfoMP3M(path), QString(" - Morning"));
        QCOMPARE(fs.reads.size(), 1);
    }

    // No title at all for a file that does not open: the callers then take
    // the file name their own way.
    void fileThatCannotBeOpened_data() {
        columns<QString>("path");
        row("missing", QString("C:/Music/gone.mp3"));
        row("missing folder", QString("C:/Nowhere/gone.mp3"));
        row("a folder", QString("C:/Music"));
        row("no such drive", QString("Q:/Music/gone.mp3"));
    }
    void fileThatCannotBeOpened() {
        QFETCH(QString, path);
        LogicEnv env;
        MemoryFs fs;
        P().fs = &fs;
        fs.addFolder(QStringLiteral("C:/Music"));
        QCOMPARE(InfoMP3M(path), QString());
    }

    // The real file port: a tag at the end of a file on disk, and one at the
    // start of another.
    void tagOfAFileOnDisk() {
        LogicEnv env;
        const QString path = QStringLiteral("E:/Музыка/Кино.mp3");
        env.drives.put(path, kAudio + id3v1(cp1251("Звезда"), cp1251("Кино")));
        QCOMPARE(InfoMP3M(path), QString::fromUtf8("Кино - Звезда"));
        const QString v2 = QStringLiteral("E:/Музыка/v2.mp3");
        env.drives.put(v2, id3v2(4, v2Texts(4, 3, "Ёлка", "Прощай")) + kAudio);
        QCOMPARE(InfoMP3M(v2), QString::fromUtf8("Ёлка - Прощай"));
    }
};

QTEST_MAIN(TestInfoMP3M)
#include "tst_infomp3m.moc"
