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
        // One read of the tag's bytes at the end, however large the file.
        QCOMPARE(fs.reads, QStringList{QStringLiteral("tail:%1:128").arg(path)});
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

    // The real file port: a tag at the end of a file on disk.
    void tagOfAFileOnDisk() {
        LogicEnv env;
        const QString path = QStringLiteral("E:/Музыка/Кино.mp3");
        env.drives.put(path, kAudio + id3v1(cp1251("Звезда"), cp1251("Кино")));
        QCOMPARE(InfoMP3M(path), QString::fromUtf8("Кино - Звезда"));
    }
};

QTEST_MAIN(TestInfoMP3M)
#include "tst_infomp3m.moc"
