#include "Fakes.h"
#include "Id3Tag.h"
#include "MemoryFs.h"

#include "core/AlbumFile.h"
#include "core/Cp1251.h"
#include "core/Forma.h"
#include "core/Globals.h"
#include "editing/DropFilesM.h"
#include "editing/Slices.h"

#include <QStringEncoder>

using namespace tv;
using namespace tv::test;

namespace {

const QByteArray kUntagged(300, '\xff');

// Native paths are those of Linux, where Z: is the root.
class LinuxFs : public MemoryFs {
public:
    QString fromNative(const QString &native) const override {
        return native.startsWith('/') ? "Z:" + native : QString();
    }
};

struct DropEnv {
    LogicEnv env;
    LinuxFs fs;
    DropEnv() {
        P().fs = &fs;
        for (const char *path :
             {"C:/M/b.mp3", "C:/M/A.MP3", "C:/M/cover.jpg", "C:/M/notes.txt", "C:/M/Disc 2/d.mp3",
              "C:/M/disc 1/c.mp3", "C:/M/disc 1/x/e.mp3", "C:/Other/o.mp3", "Z:/home/u/h.mp3",
              "C:/Loop/s.mp3", "C:/Loop/sub/t.mp3", "C:/Case/Song.mp3", "C:/Case/song.mp3",
              "C:/Case/SONG.mp3"})
            fs.addFile(QString::fromUtf8(path), kUntagged);
        fs.addFolder("C:/Empty");
        // ln -s . l1; ln -s . l2; a link up the tree, one to a file, one to the root.
        fs.addLink("C:/Loop/l1", "C:/Loop");
        fs.addLink("C:/Loop/l2", "C:/Loop");
        fs.addLink("C:/Loop/sub/up", "C:/Loop");
        fs.addLink("C:/Loop/alias.mp3", "C:/Loop/s.mp3");
        fs.addLink("C:/R/root", "C:");
    }
};

QStringList dropped(const QString &paths) {
    Slices slices;
    return droppedMp3Files(paths.split(';', Qt::SkipEmptyParts), slices).files;
}

QByteArray utf16(const QString &text, QStringEncoder::Encoding encoding) {
    return QStringEncoder(encoding, QStringEncoder::Flag::WriteBom).encode(text);
}

void openAlbum(const QStringList &entries) {
    frmForma().ListPath = entries;
    frmForma().PlayList.rebuild();
    frmForma().PlayList.setListIndex(entries.isEmpty() ? -1 : 0);
    G().AlbomChanged = 0;
}

} // namespace

class TestDropFiles : public QObject {
    Q_OBJECT
private slots:
    // What a drop stands for. Paths are joined by ";".
    void collect_data() {
        columns<QString, QString, QString>("playlist", "dropped", "files");
        row("one file", QString(), QString("C:/M/b.mp3"), QString("C:/M/b.mp3"));
        row("non-MP3 files ignored", QString(), QString("C:/M/cover.jpg;C:/M/notes.txt"),
            QString());
        row("dropped order kept", QString(), QString("C:/Other/o.mp3;C:/M/b.mp3"),
            QString("C:/Other/o.mp3;C:/M/b.mp3"));
        row("a folder: own files, then each subfolder by name", QString(), QString("C:/M"),
            QString("C:/M/A.MP3;C:/M/b.mp3;C:/M/disc 1/c.mp3;C:/M/disc 1/x/e.mp3;"
                    "C:/M/Disc 2/d.mp3"));
        row("empty folder", QString(), QString("C:/Empty"), QString());
        row("missing path", QString(), QString("C:/Gone"), QString());
        row("playlist: relative, parent, absolute native, lettered, backslashes",
            QString("#EXTM3U\r\n#EXTINF:1,b\r\nb.mp3\r\n../Other/o.mp3\r\n/home/u/h.mp3\r\n"
                    "C:\\M\\disc 1\\c.mp3\r\n  disc 1/x/e.mp3  \r\n"),
            QString("C:/M/list.m3u8"),
            QString("C:/M/b.mp3;C:/Other/o.mp3;Z:/home/u/h.mp3;C:/M/disc 1/c.mp3;"
                    "C:/M/disc 1/x/e.mp3"));
        row("playlist: comments, web, missing and non-MP3 skipped",
            QString("# b.mp3\nhttp://radio.example/stream.mp3\nhttps://x/y.mp3\ngone.mp3\n"
                    "cover.jpg\n\nA.MP3\n"),
            QString("C:/M/list.m3u8"), QString("C:/M/A.MP3"));
        row("file URL entry", QString("file:///home/u/h.mp3\n"), QString("C:/M/list.m3u"),
            QString("Z:/home/u/h.mp3"));
        row("links to itself, up the tree and to a file: each folder and file once", QString(),
            QString("C:/Loop"), QString("C:/Loop/alias.mp3;C:/Loop/sub/t.mp3"));
        row("a link to the root: every file of the drive once", QString(), QString("C:/R"),
            QString("C:/R/root/Case/SONG.mp3;C:/R/root/Case/Song.mp3;C:/R/root/Case/song.mp3;"
                    "C:/R/root/Loop/alias.mp3;C:/R/root/Loop/sub/t.mp3;C:/R/root/M/A.MP3;"
                    "C:/R/root/M/b.mp3;C:/R/root/M/disc 1/c.mp3;C:/R/root/M/disc 1/x/e.mp3;"
                    "C:/R/root/M/Disc 2/d.mp3;C:/R/root/Other/o.mp3"));
        row("a file reached through a link, then its folder", QString(),
            QString("C:/Loop/l1/s.mp3;C:/Loop"), QString("C:/Loop/l1/s.mp3;C:/Loop/sub/t.mp3"));
        row("a playlist naming one file by two roads", QString("s.mp3\nl2/l1/s.mp3\n"),
            QString("C:/Loop/list.m3u"), QString("C:/Loop/s.mp3"));
    }
    void collect() {
        QFETCH(QString, playlist);
        QFETCH(QString, dropped);
        QFETCH(QString, files);
        DropEnv e;
        if (!playlist.isEmpty())
            e.fs.addFile(dropped, playlist.toUtf8());
        QCOMPARE(::dropped(dropped), files.split(';', Qt::SkipEmptyParts));
    }

    // An .m3u that is not UTF-8 is Windows-1251; a BOM is no part of a name
    // and tells UTF-16. A playlist that names no song is told apart.
    void playlistEncodings_data() {
        columns<QString, QByteArray, bool>("name", "bytes", "named");
        const QString song = QString::fromUtf8("Ёлка.mp3");
        row("m3u in 1251", QString("l.m3u"), Cp1251::encode(song) + "\r\n", true);
        row("m3u in UTF-8", QString("l.m3u"), song.toUtf8() + "\n", true);
        row("m3u8 with BOM", QString("l.m3u8"), "\xEF\xBB\xBF" + song.toUtf8() + "\n", true);
        row("m3u in UTF-16LE", QString("l.m3u"),
            utf16("#EXTM3U\r\n" + song + "\r\n", QStringEncoder::Utf16LE), true);
        row("m3u in UTF-16BE, old Mac line ends", QString("l.m3u"),
            utf16("#EXTM3U\r" + song + "\r", QStringEncoder::Utf16BE), true);
        row("binary named .m3u", QString("l.m3u"), QByteArray("\x00\x01\xFF\xD8\n\x7F", 6), false);
        row("only missing songs", QString("l.m3u8"), QByteArray("gone.mp3\n"), false);
    }
    void playlistEncodings() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, named);
        DropEnv e;
        const QString song = QString::fromUtf8("C:/M/Ёлка.mp3");
        e.fs.addFile(song, kUntagged);
        e.fs.addFile("C:/M/" + name, bytes);
        Slices slices;
        const Dropped d = droppedMp3Files({"C:/M/" + name}, slices);
        QCOMPARE(d.files, named ? QStringList{song} : QStringList{});
        QCOMPARE(d.silent, named ? QStringList{} : QStringList{"C:/M/" + name});
    }

    // Each dropped playlist that gives no song is named in one message; what
    // the rest of the drop gives is added.
    void silentPlaylistIsNamed() {
        DropEnv e;
        e.fs.addFile("C:/M/bin.m3u", QByteArray(64, '\0'));
        openAlbum({});
        DropFiles({"C:/M/bin.m3u", "C:/M/b.mp3"}, 1);
        QCOMPARE(playListRows(), QStringList{"1.b"});
        QCOMPARE(e.env.dialogs.msgs.size(), 1);
        QCOMPARE(e.env.dialogs.msgs[0].prompt, "C:/M/bin.m3u\r\n" + G().strNoSongs);
        QCOMPARE(e.env.dialogs.msgs[0].style, vbOKOnly | vbExclamation);
        QCOMPARE(e.env.dialogs.msgs[0].title, G().strTitle);
    }

    // Adding: the album's songs and the drop's own repeats are skipped,
    // titles follow NamePesni, and the album is changed only by new songs.
    void add_data() {
        columns<QString, QString, int, QString, int>("album", "dropped", "namePesni", "rows",
                                                     "changed");
        row("tag titles", QString(), QString("C:/M/b.mp3;C:/Other/o.mp3"), 0, QString("1.b;2.o"),
            1);
        row("file-name titles", QString(), QString("C:/M/A.MP3"), 1, QString("1.A"), 1);
        row("already in the album, other case", QString("xC:/m/a.mp3"), QString("C:/M/A.MP3"), 0,
            QString("1.x"), 0);
        row("dropped twice", QString(), QString("C:/M/b.mp3;C:/M;C:/m/B.mp3"), 1,
            QString("1.b;2.A;3.c;4.e;5.d"), 1);
        row("names differing in case only are three files", QString(), QString("C:/Case"), 1,
            QString("1.SONG;2.Song;3.song"), 1);
        row("held in another case: none of them", QString("xC:/case/song.MP3"), QString("C:/Case"),
            1, QString("1.x"), 0);
        row("nothing to add", QString("xC:/x.mp3"), QString("C:/M/notes.txt"), 0, QString("1.x"),
            0);
    }
    void add() {
        QFETCH(QString, album);
        QFETCH(QString, dropped);
        QFETCH(int, namePesni);
        QFETCH(QString, rows);
        QFETCH(int, changed);
        DropEnv e;
        openAlbum(album.split(';', Qt::SkipEmptyParts));
        DropFiles(dropped.split(';', Qt::SkipEmptyParts), namePesni);
        QCOMPARE(playListRows(), rows.split(';', Qt::SkipEmptyParts));
        QCOMPARE(frmForma().ListPath.size(), playListRows().size());
        QCOMPARE(G().AlbomChanged, changed);
    }

    // With NamePesni 0 the tag gives the title.
    void tagTitle() {
        DropEnv e;
        e.fs.addFile("C:/T/t.mp3", kUntagged + id3v1("Song", "Band"));
        openAlbum({});
        DropFiles({"C:/T"}, 0);
        QCOMPARE(playListRows(), QStringList{"1.Band - Song"});
        QCOMPARE(frmForma().ListPath.at(0), QString("Band - SongC:/T/t.mp3"));
    }

    // A large drop lets events run on the way, the caption telling how far
    // it got, and reaches the playlist as one insert; it gives way to another
    // album opened meanwhile, and adds none of the files added meanwhile.
    void largeDrop_data() {
        columns<QString, int, int>("meanwhile", "songs", "inserts");
        row("nothing", QString(), 2001, 1);
        row("another album opened", QString("open"), 1, 0);
        row("the same folder dropped again", QString("drop"), 2001, 1);
    }
    void largeDrop() {
        QFETCH(QString, meanwhile);
        QFETCH(int, songs);
        QFETCH(int, inserts);
        DropEnv e;
        for (int i = 0; i < 2000; ++i)
            e.fs.addFile(QString("C:/Big/%1.mp3").arg(i, 5, 10, QLatin1Char('0')), kUntagged);
        e.fs.addFile(G().AppDir + "b.alb", albumFile(" 1 ", {"bC:/M/b.mp3"}));
        openAlbum({"xC:/x.mp3"});
        frmForma().setCaption("a.alb");
        QString caption;
        int inserted = 0;
        e.env.events.pending = [&] {
            caption = frmForma().Caption();
            if (meanwhile == "open")
                OpenAlbomM("b.alb");
            else if (meanwhile == "drop")
                DropFiles({"C:/Big"}, 1);
        };
        QObject::connect(&frmForma().PlayList, &QAbstractItemModel::rowsInserted,
                         [&inserted] { ++inserted; });
        DropFiles({"C:/Big"}, 1);
        QVERIFY2(caption.startsWith("a.alb - " + G().strAdding), qPrintable(caption));
        QCOMPARE(frmForma().ListPath.size(), songs);
        QCOMPARE(inserted, inserts);
        if (meanwhile != "open")
            QCOMPARE(frmForma().Caption(), "a.alb");
    }
};

QTEST_MAIN(TestDropFiles)
#include "tst_dropfiles.moc"
