#include "Fakes.h"
#include "MemoryFs.h"

#include <QDir>
#include <QFile>

using namespace tv;
using tv::test::columns;

class TestDrives : public QObject {
    Q_OBJECT
private slots:
    void mapsBothWays_data() {
        columns<QString, QString, QString>("lettered", "native", "back");
        const auto r = [](const char *name, const QString &lettered, const char *native,
                          const QString &back) {
            tv::test::row(name, lettered, QString(native), back);
        };
        r("root drive", "Z:/home/u/a.mp3", "/home/u/a.mp3", "Z:/home/u/a.mp3");
        r("backslashes", "Z:\\home\\u\\a.mp3", "/home/u/a.mp3", "Z:/home/u/a.mp3");
        r("lower-case letter", "e:\\music\\a.mp3", "/media/u/usb/music/a.mp3", "E:/music/a.mp3");
        r("longest root wins", "F:/x", "/media/u/usb2/x", "F:/x");
        r("drive root", "E:\\", "/media/u/usb", "E:/");
        const QString colon = QString("Z:/a") + QChar(0xF03A) + "b.mp3";
        r("colon in a name", colon, "/a:b.mp3", colon);
        const QString acdc = QString("Z:/m/AC") + QChar(0xF05C) + "DC/a.mp3";
        r("backslash in a name", acdc, "/m/AC\\DC/a.mp3", acdc);
        // A native name holding the stand-ins themselves.
        const QString asIs = QString(QChar(0xF000));
        const QString standIns = QString("/m/") + QChar(0xF03A) + QChar(0xF05C) + QChar(0xF000);
        const QString standInsBack =
            "Z:/m/" + asIs + QChar(0xF03A) + asIs + QChar(0xF05C) + asIs + asIs;
        tv::test::row("stand-ins in a name", standInsBack, standIns, standInsBack);
        const QString torn =
            QString("Z:/03new") + QChar(0xF00A) + "line" + QChar(0xF009) + QChar(0xF01F) + ".mp3";
        r("line break and controls in a name", torn, "/03new\nline\t\x1f.mp3", torn);
        const QString newStandIns = QString("/m/") + QChar(0xF00A) + QChar(0xF0FF);
        const QString newStandInsBack = "Z:/m/" + asIs + QChar(0xF00A) + asIs + QChar(0xF0FF);
        tv::test::row("stand-ins of controls and bytes in a name", newStandInsBack, newStandIns,
                      newStandInsBack);
        r("unknown letter", "Q:/x", "", "");
    }
    void mapsBothWays() {
        QFETCH(QString, lettered);
        QFETCH(QString, native);
        DriveFileSystem fs({{"Z", "/"}, {"E", "/media/u/usb"}, {"F", "/media/u/usb2/"}});
        QCOMPARE(fs.toNative(lettered), native);
        if (!native.isEmpty())
            QTEST(fs.fromNative(native), "back");
    }

    // Every native name comes back from its lettered form: the names here
    // mix the characters a lettered path cannot hold with their stand-ins.
    void everyNativeNameRoundTrips() {
        DriveFileSystem fs({{"Z", "/"}, {"E", "/media/u/usb"}});
        const QList<QChar> alphabet = {QChar('a'),    QChar(':'),    QChar('\\'),
                                       QChar(0xF03A), QChar(0xF05C), QChar(0xF000),
                                       QChar('\n'),   QChar(0xF00A), QChar(0xF0FF)};
        const int n = int(alphabet.size());
        int checked = 0;
        for (int code = 0; code < n * n * n * n; ++code) {
            QString name;
            for (int c = code, i = 0; i < 4; ++i, c /= n)
                name += alphabet.at(c % n);
            for (const QString &dir : {QString("/home/"), QString("/media/u/usb/")}) {
                const QString lettered = fs.fromNative(dir + name);
                QCOMPARE(fs.toNative(lettered), dir + name);
                QVERIFY(!lettered.mid(2).contains(':') && !lettered.contains('\\'));
                QVERIFY(!lettered.contains('\n'));
                ++checked;
            }
        }
        QCOMPARE(checked, 2 * n * n * n * n);
    }

    // A folder "AC\DC" on disk: listed, found and read through its lettered name.
    void namesWithBackslashesAreReachable() {
        test::TempDrives d;
        const QString native = d.native("E:/") + "/AC\\DC";
        QDir().mkpath(native);
        QFile file(native + "/a:b.mp3");
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("mp3") == 3);
        file.close();
        FolderListing listing;
        QVERIFY(d.fs().listFolder("E:/", &listing));
        QCOMPARE(listing.folders, QStringList({QString("AC") + QChar(0xF05C) + "DC"}));
        const QString song = "E:/" + listing.folders.first() + "/a" + QChar(0xF03A) + "b.mp3";
        QVERIFY(d.fs().fileExists(song));
        QByteArray data;
        QCOMPARE(d.fs().readFile(song, &data), FileError::None);
        QCOMPARE(data, QByteArray("mp3"));
        QVERIFY(!d.fs().fileExists("E:/AC/DC/a" + QString(QChar(0xF03A)) + "b.mp3"));
    }

    void drivesAreInLetterOrder() {
        DriveFileSystem fs({{"Z", "/"}, {"d", "/mnt/d"}, {"C", "/mnt/c"}});
        QCOMPARE(fs.drives(), QStringList({"C:", "D:", "Z:"}));
    }

    void writeReplacesWholeAndReportsWhy() {
        test::TempDrives d;
        FileSystem &fs = d.fs();
        QCOMPARE(fs.writeFile("C:/a.alb", "one"), FileError::None);
        QCOMPARE(fs.writeFile("C:/a.alb", "two"), FileError::None);
        QCOMPARE(d.get("C:/a.alb"), QByteArray("two"));
        QFile::setPermissions(d.native("C:/a.alb"), QFileDevice::ReadOwner);
        QCOMPARE(fs.writeFile("C:/a.alb", "three"), FileError::Access);
        QCOMPARE(d.get("C:/a.alb"), QByteArray("two"));
        QDir().mkpath(d.native("C:/dir.alb"));
        QCOMPARE(fs.writeFile("C:/dir.alb", "x"), FileError::Access);
        QCOMPARE(fs.writeFile("C:/missing/x.alb", "x"), FileError::Other);
        QCOMPARE(QDir(d.native("C:/")).entryList(QDir::Files), QStringList({"a.alb"}));
    }

    void readTellsMissingFromUnreadable() {
        test::TempDrives d;
        QByteArray data;
        QCOMPARE(d.fs().readFile("C:/none.alb", &data), FileError::NotFound);
        QCOMPARE(d.fs().readFile("C:/no/none.alb", &data), FileError::Other);
        QCOMPARE(d.fs().readFile("Q:/none.alb", &data), FileError::Other);
        QDir().mkpath(d.native("C:/dir.alb"));
        QCOMPARE(d.fs().readFile("C:/dir.alb", &data), FileError::Access);
        d.put("C:/x.alb", "abc");
        QCOMPARE(d.fs().readFile("C:/x.alb", &data), FileError::None);
        QCOMPARE(data, QByteArray("abc"));
    }

    void existsOnlyForVisibleFiles() {
        test::TempDrives d;
        d.put("E:/m/a.mp3");
        d.put("E:/m/.hidden.mp3");
        QDir().mkpath(d.native("E:/m/dir.mp3"));
        QVERIFY(d.fs().fileExists("E:/m/a.mp3"));
        QVERIFY(d.fs().fileExists("e:\\m\\a.mp3"));
        QVERIFY(!d.fs().fileExists("E:/m/.hidden.mp3"));
        QVERIFY(!d.fs().fileExists("E:/m/dir.mp3"));
        QVERIFY(!d.fs().fileExists("F:/m/a.mp3"));
    }

    void listsAlbumsInCaseBlindNameOrder() {
        test::TempDrives d;
        for (const char *name : {"b.alb", "A.alb", "c.ALB", "a.txt", "Б.alb"})
            d.put(QString("C:/app/") + QString::fromUtf8(name));
        QDir().mkpath(d.native("C:/app/dir.alb"));
        QCOMPARE(d.fs().listFiles("C:/app/", ".alb"),
                 QStringList({"A.alb", "b.alb", "c.ALB", QString::fromUtf8("Б.alb")}));
    }

    // The real drives and the in-memory fake answer alike, so that logic
    // tested over the fake behaves the same over the disk.
    void listsFoldersAndReadsTails_data() {
        QTest::addColumn<bool>("memory");
        QTest::newRow("disk") << false;
        QTest::newRow("memory") << true;
    }
    void listsFoldersAndReadsTails() {
        QFETCH(bool, memory);
        test::TempDrives d;
        test::MemoryFs mem({"C", "E"});
        FileSystem &fs = memory ? static_cast<FileSystem &>(mem) : d.fs();
        const auto put = [&](const QString &path, const QByteArray &bytes) {
            memory ? mem.addFile(path, bytes) : d.put(path, bytes);
        };
        for (const char *name :
             {"b.mp3", "A.MP3", ".hidden.mp3", "c.txt", "Sub/x.mp3", "a dir/y.mp3", ".git/z",
              "Б/ж.mp3", "Ягода.mp3", "Ёж.mp3", "_x.mp3", "[y].mp3", "Zed.mp3"})
            put("E:/m/" + QString::fromUtf8(name), "0123456789");

        FolderListing listing;
        QVERIFY(fs.listFolder("E:/m", &listing));
        QCOMPARE(listing.folders, QStringList({"a dir", "Sub", QString::fromUtf8("Б")}));
        // Compared in capitals, as Windows lists them: "[" and "_" after the
        // Latin letters, "Ё" before the other Cyrillic ones.
        const QStringList files{"A.MP3",   "b.mp3",  "c.txt",  "Zed.mp3",
                                "[y].mp3", "_x.mp3", "Ёж.mp3", "Ягода.mp3"};
        QCOMPARE(listing.files, files);
        QVERIFY(fs.listFolder("e:\\m\\", &listing));
        QCOMPARE(listing.files, files);
        QVERIFY(!fs.listFolder("E:/m/none", &listing));
        QVERIFY(!fs.listFolder("E:/m/b.mp3", &listing));
        QVERIFY(!fs.listFolder("Q:/", &listing));

        // A link reaches the same folder and files: the same ids.
        if (memory)
            mem.addLink("E:/m/l", "E:/m/Sub");
        else
            QVERIFY(QFile::link(d.native("E:/m/Sub"), d.native("E:/m/l")));
        FolderListing sub, viaLink;
        QVERIFY(fs.listFolder("E:/m/Sub", &sub) && fs.listFolder("E:/m/l", &viaLink));
        QVERIFY(!sub.id.isNull() && viaLink.id == sub.id && fs.fileId("E:/m/l") == sub.id);
        QCOMPARE(sub.fileIds.size(), 1);
        QVERIFY(fs.fileId("E:/m/l/x.mp3") == sub.fileIds.at(0));
        QVERIFY(!(fs.fileId("E:/m/b.mp3") == sub.fileIds.at(0)));
        QVERIFY(fs.fileId("E:/m/none.mp3").isNull());


        // Pieces of one opening: the last four bytes, then four that the end cuts.
        QByteArray got;
        int asked = 0;
        const auto twoPieces = [&](qint64 size, const QByteArray &previous, qint64 *offset,
                                   qint64 *length) {
            got += previous + '|';
            *offset = asked == 0 ? size - 4 : size - 2;
            *length = 4;
            return asked++ < 2;
        };
        QCOMPARE(fs.readPieces("E:/m/b.mp3", twoPieces), FileError::None);
        QCOMPARE(got, QByteArray("|6789|89|"));
        QCOMPARE(fs.readPieces("E:/m/none.mp3", twoPieces), FileError::NotFound);
        QVERIFY(fs.readPieces("E:/m/Sub", twoPieces) != FileError::None);
    }

    // Folders and plain files apart, hidden ones left out, each in the
    // order of a case-blind comparison; a folder that cannot be read is no
    // listing.
    void listsAFolderAsWindowsDoes() {
        test::TempDrives d;
        const QStringList files{"b.mp3",          "A.mp3",           "_x.mp3",    "Zeta",  "ёж.mp3",
                                "Ёлка.mp3",       "ЯБЛОКО.mp3",      "а.mp3",     "a.MP3", "a.mp3",
                                "\U00010428.mp3", "\U00010400b.mp3", "\uFF21.mp3"};
        for (const QString &name : files)
            d.put("E:/m/" + name);
        d.put("E:/m/.hidden.mp3");
        for (const char *folder : {"sub", "Alpha", ".git"})
            QDir().mkpath(d.native(QString("E:/m/") + folder));
        QVERIFY(QFile::link(d.native("E:/m/sub"), d.native("E:/m/link")));
        FolderListing listing;
        QVERIFY(d.fs().listFolder("E:/m/", &listing));
        QCOMPARE(listing.folders, QStringList({"Alpha", "link", "sub"}));
        QCOMPARE(listing.files, QStringList({"A.mp3", "a.MP3", "a.mp3", "b.mp3", "Zeta", "_x.mp3",
                                             "ёж.mp3", "Ёлка.mp3", "а.mp3", "ЯБЛОКО.mp3",
                                             "\U00010428.mp3", "\U00010400b.mp3", "\uFF21.mp3"}));
        QVERIFY(!d.fs().listFolder("E:/gone", &listing));
    }
};

QTEST_GUILESS_MAIN(TestDrives)
#include "tst_drives.moc"
