#include "Fakes.h"
#include "MemoryFs.h"

#include <QDir>
#include <QFile>
#include <algorithm>

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
                                       QChar(0xF03A), QChar(0xF05C), QChar(0xF000)};
        int checked = 0;
        for (int code = 0; code < 6 * 6 * 6 * 6; ++code) {
            QString name;
            for (int c = code, i = 0; i < 4; ++i, c /= 6)
                name += alphabet.at(c % 6);
            for (const QString &dir : {QString("/home/"), QString("/media/u/usb/")}) {
                const QString lettered = fs.fromNative(dir + name);
                QCOMPARE(fs.toNative(lettered), dir + name);
                QVERIFY(!lettered.mid(2).contains(':') && !lettered.contains('\\'));
                ++checked;
            }
        }
        QCOMPARE(checked, 2 * 1296);
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
        for (const char *name : {"b.mp3", "A.MP3", ".hidden.mp3", "c.txt", "Sub/x.mp3",
                                 "a dir/y.mp3", ".git/z", "Б/ж.mp3"})
            put("E:/m/" + QString::fromUtf8(name), "0123456789");

        FolderListing listing;
        QVERIFY(fs.listFolder("E:/m", &listing));
        QCOMPARE(listing.folders, QStringList({"a dir", "Sub", QString::fromUtf8("Б")}));
        QCOMPARE(listing.files, QStringList({"A.MP3", "b.mp3", "c.txt"}));
        QVERIFY(fs.listFolder("e:\\m\\", &listing));
        QCOMPARE(listing.files.size(), 3);
        QVERIFY(!fs.listFolder("E:/m/none", &listing));
        QVERIFY(!fs.listFolder("E:/m/b.mp3", &listing));
        QVERIFY(!fs.listFolder("Q:/", &listing));

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
        QStringList expected = files;
        std::sort(expected.begin(), expected.end(), [](const QString &a, const QString &b) {
            const int c = a.compare(b, Qt::CaseInsensitive);
            return c != 0 ? c < 0 : a < b;
        });
        QCOMPARE(listing.files, expected);
        QVERIFY(!d.fs().listFolder("E:/gone", &listing));
    }
};

QTEST_GUILESS_MAIN(TestDrives)
#include "tst_drives.moc"
