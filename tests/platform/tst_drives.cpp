#include "Fakes.h"
#include "MemoryFs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <memory>
#include <unistd.h>

using namespace tv;
using tv::test::columns;
using tv::test::row;

class TestDrives : public QObject {
    Q_OBJECT
private slots:
    void mapsBothWays_data() {
        columns<QString, QString, QString>("lettered", "native", "back");
        // back: the lettered path that the native one maps to, when not the same.
        const auto r = [](const char *name, const QString &lettered, const QString &native,
                          const QString &back = {}) {
            tv::test::row(name, lettered, native, back.isNull() ? lettered : back);
        };
        r("root drive", "Z:/home/u/a.mp3", "/home/u/a.mp3");
        r("lower-case letter", "e:\\music\\a.mp3", "/media/u/usb/music/a.mp3", "E:/music/a.mp3");
        r("longest root wins", "F:/x", "/media/u/usb2/x");
        r("drive root", "E:\\", "/media/u/usb", "E:/");
        r("backslash in a name", QStringLiteral("Z:/m/AC\uF05CDC/a.mp3"), "/m/AC\\DC/a.mp3");
    }
    void mapsBothWays() {
        QFETCH(QString, lettered);
        QFETCH(QString, native);
        DriveFileSystem fs({{"Z", "/"}, {"e", "/media/u/usb"}, {"F", "/media/u/usb2/"}});
        QCOMPARE(fs.toNative(lettered), native);
        QTEST(fs.fromNative(native), "back");
        // Letters in capitals and in order, however they were given.
        QCOMPARE(fs.drives(), QStringList({"E:", "F:", "Z:"}));
    }

    // A name that is not UTF-8 is opened through a link in a folder of the
    // process's own, which goes when the run ends.
    void linksOfNamesThatAreNotUtf8GoAtTheEnd() {
        test::TempDrives d;
        QDir().mkpath(d.native("E:/m"));
        const QByteArray raw = QFile::encodeName(d.native("E:/m")) + "/3\xff.mp3";
        FILE *made = std::fopen(raw.constData(), "w");
        QVERIFY(made && std::fclose(made) == 0);
        const QString link = d.fs().toNative(QStringLiteral("E:/m/3") + QChar(0xF0FF) + ".mp3");
        QVERIFY(QFileInfo(link).isSymLink() && QFileInfo(link).exists());
        d.fs().removeLinks();
        QVERIFY(!QFileInfo::exists(QFileInfo(link).path()));
        QVERIFY(::access(raw.constData(), F_OK) == 0);
    }

    // The real drives and the in-memory fake answer alike, so that logic
    // tested over the fake behaves the same over the disk.
    void answersAsWindowsDoes_data() {
        QTest::addColumn<bool>("memory");
        QTest::newRow("disk") << false;
        QTest::newRow("memory") << true;
    }
    void answersAsWindowsDoes() {
        QFETCH(bool, memory);
        test::TempDrives d;
        test::MemoryFs mem({"C", "E", "F"});
        FileSystem &fs = memory ? static_cast<FileSystem &>(mem) : d.fs();
        const QStringList files{"b.mp3",      "A.mp3",           "_x.mp3",         "Zeta",
                                "ёж.mp3",     "Ёлка.mp3",        "ЯБЛОКО.mp3",     "а.mp3",
                                "a.MP3",      "a.mp3",           "\U00010428.mp3", "[y].mp3",
                                "\uFF21.mp3", "\U00010400b.mp3", ".hidden.mp3",    "sub/x.mp3",
                                ".git/z",     "Б/ж.mp3"};
        for (const QString &name : files)
            memory ? mem.addFile("E:/m/" + name, "0123456789")
                   : d.put("E:/m/" + name, "0123456789");
        for (const QString name : {"E:/m/Alpha", "E:/m/dir.mp3"})
            memory ? mem.addFolder(name) : static_cast<void>(QDir().mkpath(d.native(name)));
        if (memory)
            mem.addLink("E:/m/link", "E:/m/sub");
        else
            QVERIFY(QFile::link(d.native("E:/m/sub"), d.native("E:/m/link")));

        // Folders and plain files apart, hidden ones left out, each in the
        // order of a case-blind comparison in capitals: "[" and "_" after the
        // Latin letters, "Ё" before the other Cyrillic ones.
        FolderListing listing;
        QVERIFY(fs.listFolder("E:/m", &listing));
        QCOMPARE(listing.folders, QStringList({"Alpha", "dir.mp3", "link", "sub", "Б"}));
        const QStringList listed{
            "A.mp3",      "a.MP3",          "a.mp3",           "b.mp3",     "Zeta",
            "[y].mp3",    "_x.mp3",         "ёж.mp3",          "Ёлка.mp3",  "а.mp3",
            "ЯБЛОКО.mp3", "\U00010428.mp3", "\U00010400b.mp3", "\uFF21.mp3"};
        QCOMPARE(listing.files, listed);
        QVERIFY(fs.listFolder("e:\\m\\", &listing));
        QCOMPARE(listing.files, listed);
        QCOMPARE(fs.listFiles("E:/m/", ".MP3"),
                 QStringList(listed).filter(".mp3", Qt::CaseInsensitive));
        for (const char *none : {"E:/m/none", "E:/m/b.mp3", "Q:/"})
            QVERIFY2(!fs.listFolder(none, &listing), none);

        // Only a visible plain file exists; a read tells missing from unreadable.
        QVERIFY(fs.fileExists("E:/m/a.mp3") && fs.fileExists("e:\\m\\a.mp3"));
        for (const char *not_ : {"E:/m/.hidden.mp3", "E:/m/dir.mp3", "F:/m/a.mp3", "E:/m/none"})
            QVERIFY2(!fs.fileExists(not_), not_);
        QByteArray data;
        QCOMPARE(fs.readFile("E:/m/none.mp3", &data, kSmallFileLimit), FileError::NotFound);
        QCOMPARE(fs.readFile("E:/none/a.mp3", &data, kSmallFileLimit), FileError::Other);
        QCOMPARE(fs.readFile("Q:/a.mp3", &data, kSmallFileLimit), FileError::Other);
        QCOMPARE(fs.readFile("E:/m/dir.mp3", &data, kSmallFileLimit), FileError::Access);
        QCOMPARE(fs.readFile("E:/m/b.mp3", &data, kSmallFileLimit), FileError::None);
        QCOMPARE(data, QByteArray("0123456789"));
        // Not a byte more than the reader takes, and nothing of it.
        QCOMPARE(fs.readFile("E:/m/a.mp3", &data, 9), FileError::Access);
        QCOMPARE(data, QByteArray("0123456789"));

        // A write replaces the whole file, or leaves it and says why.
        QCOMPARE(fs.writeFile("E:/m/b.mp3", "two"), FileError::None);
        QVERIFY(fs.readFile("E:/m/b.mp3", &data, kSmallFileLimit) == FileError::None &&
                data == "two");
        memory ? mem.setReadOnly("E:/m/b.mp3")
               : static_cast<void>(
                     QFile::setPermissions(d.native("E:/m/b.mp3"), QFileDevice::ReadOwner));
        QCOMPARE(fs.writeFile("E:/m/b.mp3", "three"), FileError::Access);
        QVERIFY(fs.readFile("E:/m/b.mp3", &data, kSmallFileLimit) == FileError::None &&
                data == "two");
        QCOMPARE(fs.writeFile("E:/m/dir.mp3", "x"), FileError::Access);
        QCOMPARE(fs.writeFile("E:/none/x.mp3", "x"), FileError::Other);
        QCOMPARE(fs.listFiles("E:/m/", ""), listed); // no file left over

        // A link reaches the same folder and files: the same ids.
        FolderListing sub, viaLink;
        QVERIFY(fs.listFolder("E:/m/sub", &sub) && fs.listFolder("E:/m/link", &viaLink));
        QVERIFY(!sub.id.isNull() && viaLink.id == sub.id && fs.fileId("E:/m/link") == sub.id);
        QCOMPARE(sub.fileIds.size(), 1);
        QVERIFY(fs.fileId("E:/m/link/x.mp3") == sub.fileIds.at(0));
        QVERIFY(!(fs.fileId("E:/m/b.mp3") == sub.fileIds.at(0)));
        QVERIFY(fs.fileId("E:/m/none.mp3").isNull());

        // Pieces of one opening: the last four bytes, then four that the end
        // cuts. The same with the folder held, for its files and the others.
        for (const bool hold : {false, true}) {
            const std::unique_ptr<FolderHeld> held(hold ? new FolderHeld(fs, "E:/m") : nullptr);
            QByteArray got;
            int asked = 0;
            const auto twoPieces = [&](qint64 size, const QByteArray &previous, qint64 *offset,
                                       qint64 *length) {
                got += previous + '|';
                *offset = asked == 0 ? size - 4 : size - 2;
                *length = 4;
                return asked++ < 2;
            };
            QCOMPARE(fs.readPieces("E:/m/a.mp3", twoPieces), FileError::None);
            QCOMPARE(got, QByteArray("|6789|89|"));
            const auto none = [](qint64, const QByteArray &, qint64 *, qint64 *) { return false; };
            for (const QString &name : listed + QStringList{"sub/x.mp3"})
                QVERIFY2(fs.readPieces("E:/m/" + name, none) == FileError::None, qPrintable(name));
            QCOMPARE(fs.readPieces("E:/m/none.mp3", twoPieces), FileError::NotFound);
            QVERIFY(fs.readPieces("E:/m/sub", twoPieces) != FileError::None);
        }
    }

    // A whole-file read takes a plain file within its cap and refuses the
    // rest at once: a FIFO or a device would never end.
    void readsPlainFilesWithinTheirCap_data() {
        columns<QString, qint64, FileError>("what", "limit", "result");
        const QString pastSmall = QString::number(kSmallFileLimit + 1) + " bytes";
        row("a FIFO", QString("fifo"), kSmallFileLimit, FileError::Access);
        row("a link to /dev/zero", QString("/dev/zero"), kAlbumFileLimit, FileError::Access);
        row("a link to /dev/urandom", QString("/dev/urandom"), kSmallFileLimit, FileError::Access);
        row("past the small cap", pastSmall, kSmallFileLimit, FileError::Access);
        row("within the album cap", pastSmall, kAlbumFileLimit, FileError::None);
        row("at the cap", QString::number(kSmallFileLimit) + " bytes", kSmallFileLimit,
            FileError::None);
    }
    void readsPlainFilesWithinTheirCap() {
        QFETCH(QString, what);
        QFETCH(qint64, limit);
        QFETCH(FileError, result);
        test::TempDrives d;
        d.putOdd("E:/m/file", what);
        QByteArray data("untouched");
        QCOMPARE(d.fs().readFile("E:/m/file", &data, limit), result);
        QCOMPARE(data.size(), result == FileError::None ? what.split(' ')[0].toLongLong() : 9);
        // Read in pieces (a tag), only a plain file is opened.
        const auto none = [](qint64, const QByteArray &, qint64 *, qint64 *) { return false; };
        QCOMPARE(d.fs().readPieces("E:/m/file", none) == FileError::None, what.endsWith(" bytes"));
    }
};

QTEST_GUILESS_MAIN(TestDrives)
#include "tst_drives.moc"
