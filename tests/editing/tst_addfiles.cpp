#include "Id3Tag.h"
#include "LogicTest.h"

#include "core/AlbumCommands.h"
#include "core/TextLines.h"
#include "core/Turns.h"
#include "editing/AddFiles.h"
#include "editing/DropFiles.h"
#include "editing/Slices.h"

#include <QDir>
#include <QScopeGuard>
#include <QSignalSpy>
#include <cstdio>

using namespace tv;
using namespace tv::test;

namespace {

const QString kDir = QStringLiteral("C:/Music/");
const QByteArray kUntagged(300, '\xff');

// Native paths are those of Linux, where Z: is the root.
class LinuxFs : public MemoryFs {
public:
    QString fromNative(const QString &native) const override {
        return native.startsWith('/') ? "Z:" + native : QString();
    }
};

} // namespace

// Songs added to the open album: from the add-file browser (a file, or all
// of a folder's) and dropped on the main window.
class TestAddFiles : public LogicTest {
    Q_OBJECT
    // The files the browser adds from kDir, and what is dropped: folders,
    // links and files of every kind.
    void setUp() override {
        fs = std::make_unique<LinuxFs>();
        P().fs = fs.get();
        fs->addFile(kDir + "a.mp3",
                    kUntagged + id3v1(Cp1251::encode(QString::fromUtf8("Утро")),
                                      Cp1251::encode(QString::fromUtf8("Квартет"))));
        fs->addFile(kDir + "Track01.mp3", kUntagged + id3v1("Morning", "Quartet"));
        fs->addFile(kDir + "torn.mp3", kUntagged + id3v1("x\r\n 9 \r\nEvil", "A\tB"));
        for (const char *name : {"b.mp3", "a.b.mp3", "Ёлка.MP3"})
            fs->addFile(kDir + QString::fromUtf8(name), kUntagged);
        for (const char *path :
             {"C:/M/b.mp3", "C:/M/A.MP3", "C:/M/cover.jpg", "C:/M/notes.txt", "C:/M/Disc 2/d.mp3",
              "C:/M/disc 1/c.mp3", "C:/M/disc 1/x/e.mp3", "C:/Other/o.mp3", "Z:/home/u/h.mp3",
              "C:/Loop/s.mp3", "C:/Loop/sub/t.mp3", "C:/Case/Song.mp3", "C:/Case/song.mp3",
              "C:/Case/SONG.mp3", "C:/E/Ёлка.mp3"})
            fs->addFile(QString::fromUtf8(path), kUntagged);
        fs->addFile("C:/T/t.mp3", kUntagged + id3v1("Song", "Band"));
        // ln -s . l1; ln -s . l2; a link up the tree, and one to a file.
        fs->addLink("C:/Loop/l1", "C:/Loop");
        fs->addLink("C:/Loop/l2", "C:/Loop");
        fs->addLink("C:/Loop/sub/up", "C:/Loop");
        fs->addLink("C:/Loop/alias.mp3", "C:/Loop/s.mp3");
    }

private slots:
    // Add file (one name) and Add all (several): the title rule, only the
    // files the album lacks, in list order; Add file selects its new row, Add
    // all leaves the selection. The album is changed only by new songs.
    // Lists are joined by ";".
    void fromTheBrowser_data() {
        columns<QString, int, QString, int, QString, int>("album", "selected", "names", "namePesni",
                                                          "added", "after");
        const QString utro = "Квартет - УтроC:/Music/a.mp3";
        row("after two songs", "xC:/x.mp3;yC:/y.mp3", 0, "Track01.mp3", 0,
            "Quartet - MorningC:/Music/Track01.mp3", 2);
        row("no tag: name without four characters", "", -1, "b.mp3", 0, "bC:/Music/b.mp3", 0);
        row("file names: the tag is not read", "", -1, "Track01.mp3", 1,
            "Track01C:/Music/Track01.mp3", 0);
        // A file that does not open gets its name up to the last dot.
        row("missing file", "", -1, "gone.flac.ogg", 0, "gone.flacC:/Music/gone.flac.ogg", 0);
        row("same path, other case", "AC:/MUSIC/A.MP3", 0, "a.mp3", 0, "", 0);
        row("line breaks in the tag", "", -1, "torn.mp3", 0, "A B - x   9   EvilC:/Music/torn.mp3",
            0);
        row("other drive is not a duplicate", "AE:/Music/a.mp3", 0, "a.mp3", 0, utro, 1);
        row("all: the album's own in other cases",
            "xC:/x.mp3;ЁлкаC:/MUSIC/ёлка.mp3;bC:/music/B.MP3", 1,
            "a.b.mp3;a.mp3;b.mp3;Ёлка.MP3;Track01.mp3", 0,
            "a.bC:/Music/a.b.mp3;" + utro + ";Quartet - MorningC:/Music/Track01.mp3", 1);
        row("all present", "aC:/Music/a.mp3;bC:/Music/b.mp3", -1, "a.mp3;b.mp3", 0, "", -1);
        row("all: a UTF-8 album's own in other cases", "日C:/MUSIC/A.MP3", -1, "a.mp3;b.mp3", 0,
            "bC:/Music/b.mp3", -1);
        row("all: songs beside the folder are not in it",
            "xC:/Music/sub/a.mp3;yC:/Musicx/a.mp3;zC:/a.mp3", -1, "a.mp3;b.mp3", 0,
            utro + ";bC:/Music/b.mp3", -1);
        // Two files on a system that tells them apart: the album held neither.
        row("all: names differing in case", "", -1, "a.mp3;A.mp3", 0, utro + ";AC:/Music/A.mp3",
            -1);
    }
    void fromTheBrowser() {
        QFETCH(QString, album);
        QFETCH(QString, names);
        QFETCH(int, namePesni);
        QFETCH(QString, added);
        const QStringList before = album.split(';', Qt::SkipEmptyParts);
        const QStringList files = names.split(';');
        QFETCH(int, selected);
        openSongs(before, selected);
        fs->reads.clear();
        if (files.size() == 1)
            AddFile(kDir, files[0], namePesni);
        else
            AddPapka(kDir, files, namePesni);
        const QStringList expected = before + added.split(';', Qt::SkipEmptyParts);
        QCOMPARE(frmForma().ListPath, expected);
        QCOMPARE(playListRows().size(), expected.size());
        QTEST(frmForma().PlayList.ListIndex(), "after");
        QCOMPARE(G().AlbomChanged, added.isEmpty() ? 0 : 1);
        QCOMPARE(G().NumPesni, -1);
        if (namePesni == 1)
            QCOMPARE(fs->reads, QStringList());
    }

    // A file whose name is not UTF-8, which no text holds as it is: listed,
    // added, saved, read back and started under a path that still finds it.
    // (A name no line can hold is the songlines fuzz target's.)
    void aNameNotUtf8IsKept() {
        const QByteArray name("04bad\xff.mp3");
        P().fs = &env->drives.fs();
        QVERIFY(QDir().mkpath(env->drives.native("E:/m")));
        const QByteArray native = QFile::encodeName(env->drives.native("E:/m")) + '/' + name;
        // Qt may not name the file, so its temporary folder could keep it.
        const auto removeFile = qScopeGuard([&] { std::remove(native.constData()); });
        std::FILE *file = std::fopen(native.constData(), "wb");
        QVERIFY(file);
        QVERIFY(std::fputs("mp3", file) >= 0);
        std::fclose(file);
        FolderListing listing;
        QVERIFY(P().fs->listFolder("E:/m/", &listing));
        AddPapka("E:/m/", listing.files, 0);
        QVERIFY(SaveFileM("a.alb"));
        frmForma().ListPath.clear();
        QCOMPARE(OpenAlbomM("a.alb"), 0);
        QCOMPARE(frmForma().ListPath.size(), 1);
        QFile played(P().fs->toNative(env->player.URL()));
        QVERIFY(played.open(QIODevice::ReadOnly));
        QCOMPARE(played.readAll(), "mp3");
    }

    // What a drop stands for, and which dropped playlists name no song.
    // Paths are joined by ";".
    void collect_data() {
        columns<QByteArray, QString, QString>("playlist", "dropped", "files");
        const auto r = [](const char *name, const char *dropped, const char *files,
                          const QByteArray &playlist = QByteArray()) {
            row(name, playlist, QString(dropped), QString(files));
        };
        r("non-MP3 files ignored", "C:/M/cover.jpg;C:/M/notes.txt", "");
        r("dropped order kept", "C:/Other/o.mp3;C:/M/b.mp3", "C:/Other/o.mp3;C:/M/b.mp3");
        r("a folder: own files, then each subfolder by name", "C:/M",
          "C:/M/A.MP3;C:/M/b.mp3;C:/M/disc 1/c.mp3;C:/M/disc 1/x/e.mp3;C:/M/Disc 2/d.mp3");
        r("missing path", "C:/Gone", "");
        r("playlist: relative, parent, absolute native, lettered, backslashes", "C:/M/list.m3u8",
          "C:/M/b.mp3;C:/Other/o.mp3;Z:/home/u/h.mp3;C:/M/disc 1/c.mp3;C:/M/disc 1/x/e.mp3",
          "#EXTM3U\r\n#EXTINF:1,b\r\nb.mp3\r\n../Other/o.mp3\r\n/home/u/h.mp3\r\n"
          "C:\\M\\disc 1\\c.mp3\r\n  disc 1/x/e.mp3  \r\n");
        r("playlist: comments, web, missing and non-MP3 skipped", "C:/M/list.m3u8", "C:/M/A.MP3",
          "# b.mp3\nhttp://radio/stream.mp3\nhttps://x/y.mp3\ngone.mp3\ncover.jpg\n\nA.MP3\n");
        r("file URL entry", "C:/M/list.m3u", "Z:/home/u/h.mp3", "file:///home/u/h.mp3\n");
        r("links to itself, up the tree and to a file: each folder and file once", "C:/Loop",
          "C:/Loop/alias.mp3;C:/Loop/sub/t.mp3");
        r("a file reached through a link, then its folder", "C:/Loop/l1/s.mp3;C:/Loop",
          "C:/Loop/l1/s.mp3;C:/Loop/sub/t.mp3");
        r("a playlist naming one file by two roads", "C:/Loop/list.m3u", "C:/Loop/s.mp3",
          "s.mp3\nl2/l1/s.mp3\n");
        // An .m3u that is not UTF-8 is Windows-1251; a BOM is no part of a
        // name (UTF-16 and its line ends are the m3u fuzz target's). A
        // playlist that names no song is told apart.
        const QString song = QString::fromUtf8("Ёлка.mp3");
        const char *const elka = "C:/E/Ёлка.mp3";
        r("m3u in 1251", "C:/E/l.m3u", elka, Cp1251::encode(song) + "\r\n");
        r("m3u in UTF-8", "C:/E/l.m3u", elka, song.toUtf8() + "\n");
        r("m3u8 with BOM", "C:/E/l.m3u8", elka, "\xEF\xBB\xBF" + song.toUtf8() + "\n");
        r("only missing songs", "C:/E/l.m3u8", "", "gone.mp3\n");
    }
    void collect() {
        QFETCH(QByteArray, playlist);
        QFETCH(QString, dropped);
        QFETCH(QString, files);
        if (!playlist.isNull())
            fs->addFile(dropped, playlist);
        Slices slices;
        const Dropped d = droppedMp3Files(dropped.split(';', Qt::SkipEmptyParts), slices);
        QCOMPARE(d.files.join(';'), files);
        const bool silent = !playlist.isNull() && files.isEmpty();
        QCOMPARE(d.silent, silent ? QStringList{dropped} : QStringList());
    }

    // Each dropped playlist that gives no song is named in one message; what
    // the rest of the drop gives is added.
    void silentPlaylistIsNamed() {
        fs->addFile("C:/M/bin.m3u", QByteArray(64, '\0'));
        openSongs({}, -1);
        DropFiles({"C:/M/bin.m3u", "C:/M/b.mp3"}, 1);
        QCOMPARE(playListRows(), QStringList{"1.b"});
        QCOMPARE(env->dialogs.msgs.size(), 1);
        QCOMPARE(env->dialogs.msgs[0].prompt, "C:/M/bin.m3u\r\n" + G().strNoSongs);
        QCOMPARE(env->dialogs.msgs[0].style, vbOKOnly | vbExclamation);
    }

    // Adding: the album's songs and the drop's own repeats are skipped,
    // titles follow NamePesni, and the album is changed only by new songs.
    void add_data() {
        columns<QString, QString, int, QString, int>("album", "dropped", "namePesni", "rows",
                                                     "changed");
        row("tag titles, else the file's name", "", "C:/M/b.mp3;C:/T;C:/Other/o.mp3", 0,
            "1.b;2.Band - Song;3.o", 1);
        row("dropped twice", "", "C:/M/b.mp3;C:/M;C:/m/B.mp3", 1, "1.b;2.A;3.c;4.e;5.d", 1);
        row("names differing in case only are three files", "", "C:/Case", 1,
            "1.SONG;2.Song;3.song", 1);
        row("held in another case: none of them", "xC:/case/song.MP3", "C:/Case", 1, "1.x", 0);
    }
    void add() {
        QFETCH(QString, album);
        QFETCH(QString, dropped);
        QFETCH(int, namePesni);
        const QStringList entries = album.split(';', Qt::SkipEmptyParts);
        openSongs(entries, entries.isEmpty() ? -1 : 0);
        DropFiles(dropped.split(';', Qt::SkipEmptyParts), namePesni);
        QTEST(playListRows().join(';'), "rows");
        QCOMPARE(frmForma().ListPath.size(), playListRows().size());
        QTEST(G().AlbomChanged, "changed");
    }

    // A large drop lets events run on the way, the caption telling how far
    // it got, and reaches the playlist as one insert; an album opened
    // meanwhile waits for it, and a second drop of the same files adds none.
    void largeDrop_data() {
        columns<QString, int, int>("meanwhile", "songs", "inserts");
        row("another album opened", QString("open"), 1, 1);
        row("the same folder dropped again", QString("drop"), 2001, 1);
    }
    void largeDrop() {
        QFETCH(QString, meanwhile);
        for (int i = 0; i < 2000; ++i)
            fs->addFile(QString("C:/Big/%1.mp3").arg(i, 5, 10, QLatin1Char('0')), kUntagged);
        fs->addFile(G().AppDir + "b.alb", albumFile(" 1 ", {"bC:/M/b.mp3"}));
        openSongs({"xC:/x.mp3"}, 0);
        frmForma().setCaption("a.alb");
        QString caption;
        env->events.pending = [&] {
            caption = frmForma().Caption();
            if (meanwhile == "open")
                runCommand([] { OpenAlbomM("b.alb"); });
            else if (meanwhile == "drop")
                DropFilesM({"C:/Big"}, 1);
        };
        QSignalSpy inserted(&frmForma().PlayList, &QAbstractItemModel::rowsInserted);
        DropFilesM({"C:/Big"}, 1);
        QVERIFY2(caption.startsWith("a.alb - " + G().strAdding), qPrintable(caption));
        QTEST(int(frmForma().ListPath.size()), "songs");
        QTEST(int(inserted.count()), "inserts");
        if (meanwhile != "open")
            QCOMPARE(frmForma().Caption(), "a.alb");
    }
};

QTEST_GUILESS_MAIN(TestAddFiles)
#include "tst_addfiles.moc"
