#include "Fakes.h"
#include "Id3Tag.h"
#include "MemoryFs.h"

#include "core/AlbumCommands.h"
#include "core/AlbumFile.h"
#include "core/Cp1251.h"
#include "core/Forma.h"
#include "core/Globals.h"
#include "editing/AddFilesM.h"
#include "platform/Ports.h"

#include <QDir>
#include <QScopeGuard>
#include <cstdio>

using namespace tv;
using namespace tv::test;

namespace {

const QString kDir = QStringLiteral("C:/Music/");
const QByteArray kUntagged(300, '\xff');

QByteArray tagged(const char *title, const char *artist) {
    return kUntagged + id3v1(Cp1251::encode(QString::fromUtf8(title)),
                             Cp1251::encode(QString::fromUtf8(artist)));
}

// An album of the given entries, the selected row, and not changed.
void openAlbum(const QStringList &entries, int selected) {
    frmForma().ListPath = entries;
    frmForma().PlayList.rebuild();
    frmForma().PlayList.setListIndex(selected);
    G().AlbomChanged = 0;
}

struct AddEnv {
    LogicEnv env;
    MemoryFs fs;
    AddEnv() {
        P().fs = &fs;
        fs.addFile(kDir + "a.mp3", tagged("Утро", "Квартет"));
        fs.addFile(kDir + "b.mp3", kUntagged);
        fs.addFile(kDir + "Track01.mp3", tagged("Morning", "Quartet"));
        fs.addFile(kDir + "a.b.mp3", kUntagged);
        fs.addFile(kDir + QString::fromUtf8("Ёлка.MP3"), kUntagged);
        fs.addFile(kDir + "torn.mp3", tagged("x\r\n 9 \r\nEvil", "A\tB"));
    }
};

} // namespace

class TestAddFiles : public QObject {
    Q_OBJECT
private slots:
    // Add file: title rule, duplicate test, the new row numbered on and
    // selected. Entries are "title|path" joined by ";".
    void addFile_data() {
        columns<QString, QString, int, QString, int>("album", "name", "namePesni", "added",
                                                     "selected");
        row("empty album, tag", QString(), QString("a.mp3"), 0,
            QString::fromUtf8("Квартет - УтроC:/Music/a.mp3"), 0);
        row("after two songs", QString("xC:/x.mp3;yC:/y.mp3"), QString("Track01.mp3"), 0,
            QString("Quartet - MorningC:/Music/Track01.mp3"), 2);
        row("no tag: name without four characters", QString(), QString("b.mp3"), 0,
            QString("bC:/Music/b.mp3"), 0);
        row("file names: the tag is not read", QString(), QString("Track01.mp3"), 1,
            QString("Track01C:/Music/Track01.mp3"), 0);
        row("several dots", QString(), QString("a.b.mp3"), 1, QString("a.bC:/Music/a.b.mp3"), 0);
        // A file that does not open gets its name up to the last dot.
        row("missing file", QString(), QString("gone.flac.ogg"), 0,
            QString("gone.flacC:/Music/gone.flac.ogg"), 0);
        row("same path, other case", QString("AC:/MUSIC/A.MP3"), QString("a.mp3"), 0, QString(), 0);
        row("Cyrillic path, other case", QString::fromUtf8("ЁC:/music/ёЛКА.mp3"),
            QString::fromUtf8("Ёлка.MP3"), 0, QString(), 0);
        row("line breaks in the tag", QString(), QString("torn.mp3"), 0,
            QString("A B - x   9   EvilC:/Music/torn.mp3"), 0);
        row("other drive is not a duplicate", QString("AE:/Music/a.mp3"), QString("a.mp3"), 0,
            QString::fromUtf8("Квартет - УтроC:/Music/a.mp3"), 1);
    }
    void addFile() {
        QFETCH(QString, album);
        QFETCH(QString, name);
        QFETCH(int, namePesni);
        QFETCH(QString, added);
        QFETCH(int, selected);
        AddEnv e;
        const QStringList before = album.split(';', Qt::SkipEmptyParts);
        openAlbum(before, before.isEmpty() ? -1 : 0);
        e.fs.reads.clear();
        AddFile(kDir, name, namePesni);
        const QStringList expected = before + added.split(';', Qt::SkipEmptyParts);
        QCOMPARE(frmForma().ListPath, expected);
        QCOMPARE(playListRows().size(), expected.size());
        QCOMPARE(frmForma().PlayList.ListIndex(), selected);
        QCOMPARE(G().AlbomChanged, added.isEmpty() ? 0 : 1);
        if (namePesni == 1)
            QCOMPARE(e.fs.reads, QStringList());
    }

    // Add all: only the files the album lacks, in list order, numbered on
    // from the last song; the selection stays.
    void addPapka() {
        AddEnv e;
        openAlbum({"xC:/x.mp3", QString::fromUtf8("ЁлкаC:/MUSIC/ёлка.mp3"), "bC:/music/B.MP3"}, 1);
        AddPapka(kDir, {"a.b.mp3", "a.mp3", "b.mp3", QString::fromUtf8("Ёлка.MP3"), "Track01.mp3"},
                 0);
        QCOMPARE(playListRows(),
                 QStringList({"1.x", QString::fromUtf8("2.Ёлка"), "3.b", "4.a.b",
                              QString::fromUtf8("5.Квартет - Утро"), "6.Quartet - Morning"}));
        QCOMPARE(frmForma().ListPath.at(3), QString("a.bC:/Music/a.b.mp3"));
        QCOMPARE(frmForma().PlayList.ListIndex(), 1);
        QCOMPARE(G().AlbomChanged, 1);
        QCOMPARE(G().NumPesni, -1);
    }

    // Songs added to a new album are not dropped without a word when it is
    // left: the save question comes up.
    void addedSongsAreNotLostSilently() {
        AddEnv e;
        openAlbum({}, -1);
        AddPapka(kDir, {"a.mp3", "b.mp3"}, 0);
        e.env.dialogs.answers.enqueue(vbNo);
        QCOMPARE(ZaprosSaveAlbomM(), int(vbNo));
        QCOMPARE(e.env.dialogs.msgs.size(), 1);
    }

    // Nothing new: the album is not changed.
    void addPapkaEdges_data() {
        columns<QStringList, QStringList, int>("album", "names", "added");
        row("all present", QStringList{"aC:/Music/a.mp3"}, QStringList{"a.mp3"}, 0);
        row("empty list", QStringList(), QStringList(), 0);
        // Two files on a system that tells them apart: the album held neither.
        row("names differing in case", QStringList(), QStringList{"a.mp3", "A.mp3"}, 2);
    }
    void addPapkaEdges() {
        QFETCH(QStringList, album);
        QFETCH(QStringList, names);
        QFETCH(int, added);
        AddEnv e;
        openAlbum(album, -1);
        AddPapka(kDir, names, 0);
        QCOMPARE(frmForma().ListPath.size(), album.size() + added);
        QCOMPARE(G().AlbomChanged, added ? 1 : 0);
    }

    // A file whose name no text or no line can hold as it is: listed, added,
    // saved, read back and started under a path that still finds it.
    void oddNamesAreKept_data() {
        columns<QByteArray>("name");
        row("not UTF-8", QByteArray("04bad\xff.mp3"));
        row("a line break", QByteArray("03new\nline.mp3"));
    }
    void oddNamesAreKept() {
        QFETCH(QByteArray, name);
        LogicEnv env;
        QVERIFY(QDir().mkpath(env.drives.native("E:/m")));
        const QByteArray native = QFile::encodeName(env.drives.native("E:/m")) + '/' + name;
        // Qt may not name the file, so its temporary folder could keep it.
        const auto removeFile = qScopeGuard([&] { std::remove(native.constData()); });
        std::FILE *file = std::fopen(native.constData(), "wb");
        QVERIFY(file);
        QCOMPARE(std::fwrite(kUntagged.constData(), 1, size_t(kUntagged.size()), file),
                 size_t(kUntagged.size()));
        std::fclose(file);
        FolderListing listing;
        QVERIFY(P().fs->listFolder("E:/m/", &listing));
        AddPapka("E:/m/", listing.files, 0);
        QVERIFY(SaveFileM("a.alb"));
        frmForma().ListPath.clear();
        QCOMPARE(OpenAlbomM("a.alb"), 0);
        QCOMPARE(frmForma().ListPath.size(), 1);
        QFile played(P().fs->toNative(env.player.URL()));
        QVERIFY(played.open(QIODevice::ReadOnly));
        QCOMPARE(played.readAll(), kUntagged);
    }

    // The index holds each song's path part lower-cased, titles with colons
    // of their own included.
    void loadLowPath_data() {
        columns<QString, bool>("path", "found");
        row("same case", QString("C:/Rock/A.mp3"), true);
        row("other case", QString("c:/ROCK/a.MP3"), true);
        row("Cyrillic, other case", QString::fromUtf8("z:/Музыка/б.mp3"), true);
        row("title and path run together", QString("1999C:/Rock/A.mp3"), false);
        row("another drive", QString("E:/Rock/A.mp3"), false);
        row("capital I with dot", QString::fromUtf8("C:/i\u0307stanbul.mp3"), true);
        row("a letter beyond 16 bits", QString::fromUtf8("C:/\U00010428.mp3"), true);
    }
    void loadLowPath() {
        QFETCH(QString, path);
        QFETCH(bool, found);
        LogicEnv env;
        openAlbum({"Live: 1999C:/Rock/A.mp3", QString::fromUtf8("ПесняZ:/МУЗЫКА/Б.MP3"),
                   QString::fromUtf8("IstC:/\u0130STANBUL.mp3"),
                   QString::fromUtf8("DeseretC:/\U00010400.mp3")},
                  -1);
        QCOMPARE(LoadLowPath().contains(path), found);
    }

    // Every character of the first two planes is looked up as the full
    // lower-casing of the toolkit has it.
    void loadLowPathLowersAsTheToolkit() {
        LogicEnv env;
        QStringList album;
        for (char32_t c = 1; c < 0x20000; ++c)
            if (c != U':' && !QChar::isSurrogate(c))
                album << QStringLiteral("tC:/") + QString::fromUcs4(&c, 1);
        frmForma().ListPath = album;
        const LowPath low = LoadLowPath();
        for (const QString &song : album) {
            const QString path = song.mid(1);
            QVERIFY2(low.contains(path), qPrintable(path));
            QVERIFY2(low.contains(path.toLower()), qPrintable(path));
        }
        QVERIFY(!low.contains(QStringLiteral("C:/ab")));
    }
};

QTEST_MAIN(TestAddFiles)
#include "tst_addfiles.moc"
