#include "AlbumKit.h"

#include "core/AlbumFile.h"
#include "core/TextLines.h"

#include <QDir>

using namespace tv;
using namespace tv::test;

namespace {

// A disk that fills up while the album is written: the write fails, and
// as with the real file system the old file is left alone.
class FullDisk : public DriveFileSystem {
public:
    using DriveFileSystem::DriveFileSystem;
    FileError writeFile(const QString &, const QByteArray &) override {
        ++writes;
        return FileError::Other;
    }
    int writes = 0;
};

// What stands at the target name before a save.
enum Target { None, Exists, ReadOnly, Folder, Full };

const QByteArray kCyrillic(" 1 \r\n\xC7\xE0\xF0\xFF C:/\xCC\xF3\xE7\xFB\xEA\xE0/z.mp3\r\n");
const QByteArray kUtf8("\xEF\xBB\xBF 2 \r\n\xE9\x9F\xB3\xE6\xA5\xBD C:/\xE9\x9F\xB3/a.mp3\r\n"
                       "\xD0\x97\xD0\xB0"
                       "C:/m/z.mp3\r\n");

} // namespace

class TestAlbumFile : public QObject {
    Q_OBJECT
private slots:
    // An album is read and the same playlist written back: these bytes.
    void readThenWrite_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("written"); // empty: the bytes read
        const QStringList three = {"  Lead, blanks C:/m/1.mp3", "Live: Act 2E:/live/2.mp3",
                                   "a:b:cC:/m/untitled.mp3"};
        QTest::newRow("commas colons blanks") << albumFile(" 3 ", three) << QByteArray();
        QTest::newRow("count without blanks") << albumFile("3", three) << albumFile(" 3 ", three);
        QTest::newRow("count far too large")
            << albumFile(" 2000000000 ", three.mid(0, 2)) << albumFile(" 2 ", three.mid(0, 2));
        QTest::newRow("count smaller than the lines")
            << albumFile(" 1 ", three) << albumFile(" 1 ", three.mid(0, 1));
        QTest::newRow("negative count") << albumFile("-5 ", three) << QByteArray(" 0 \r\n");
        QTest::newRow("empty album") << QByteArray(" 0 \r\n") << QByteArray();
        QTest::newRow("empty file") << QByteArray() << QByteArray(" 0 \r\n");
        QTest::newRow("cyrillic in 1251") << kCyrillic << QByteArray();
        QTest::newRow("beyond 1251: utf-8 behind a mark") << kUtf8 << QByteArray();
        QTest::newRow("last line without its end")
            << QByteArray(" 1 \r\nAC:/a.mp3") << QByteArray(" 1 \r\nAC:/a.mp3\r\n");
    }
    void readThenWrite() {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, written);
        if (written.isEmpty())
            written = bytes;
        LogicEnv env;
        englishTexts();
        env.drives.put(env.app("a.alb"), bytes);
        listAlbums({"a.alb"});
        frmForma().lstAlbomy.setListIndex(0);
        // A playlist that a failed read would leave, and that must not play.
        frmForma().ListPath = songsOnDisk(env, 2);
        G().AlbomChanged = 1;

        QCOMPARE(OpenAlbomM("a.alb"), 0);
        const QStringList songs = TextLines::decode(written).mid(1);
        QCOMPARE(frmForma().ListPath, songs);
        QCOMPARE(G().AlbomChanged, 0);
        QCOMPARE(G().NameEndAlbom, "a.alb");
        QCOMPARE(frmForma().Caption(), "Tonvela for MP3 - a.alb");
        // The songs' files are not there: that is for the song start to say.
        QVERIFY(!prompts(env.dialogs).contains("is not found."));
        if (songs.isEmpty())
            QVERIFY(env.player.calls.isEmpty());

        env.drives.put(env.app("a.alb"), "overwritten");
        SaveFileM("a.alb");
        QCOMPARE(env.drives.get(env.app("a.alb")), written);
    }

    void rememberedSongStarts_data() {
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("remembered");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("started");
        QTest::newRow("remembered song") << 0 << 3 << -1 << 3;
        QTest::newRow("past the end starts the first") << 0 << 7 << -1 << 0;
        QTest::newRow("none yet starts the first") << 0 << -1 << 4 << 0;
        QTest::newRow("no entry selected keeps the current") << -1 << 3 << 2 << 2;
    }
    void rememberedSongStarts() {
        QFETCH(int, selected);
        QFETCH(int, remembered);
        QFETCH(int, current);
        QFETCH(int, started);
        LogicEnv env;
        env.drives.put(env.app("five.alb"), albumFile(" 5 ", songsOnDisk(env, 5)));
        listAlbums({"five.alb"});
        G().Alboms[0].NumPesni = remembered;
        frmForma().lstAlbomy.setListIndex(selected);
        G().NumPesni = current;

        QCOMPARE(OpenAlbomM("five.alb"), 0);
        QCOMPARE(G().NumAlbom, selected);
        QCOMPARE(G().NumPesni, started);
        QCOMPARE(env.player.URL(), QStringLiteral("C:/Music/%1.mp3").arg(started));
        if (selected >= 0)
            QCOMPARE(G().Alboms[selected].NumPesni, started);
    }

    void readDropsNewAndFailuresChangeNothing_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing file") << "gone.alb" << 1 << "is not found.";
        QTest::newRow("folder of that name") << "dir.alb" << 1 << "File open not probably.";
        QTest::newRow("the read succeeds") << "a.alb" << 0 << "";
    }
    // The "New" placeholder goes whether or not the read succeeds.
    void readDropsNewAndFailuresChangeNothing() {
        QFETCH(QString, name);
        QFETCH(QString, message);
        LogicEnv env;
        englishTexts();
        env.drives.put(env.app("a.alb"), " 0 \r\n");
        QDir().mkpath(env.drives.native(env.app("dir.alb")));
        listAlbums({"a.alb", "New"});
        G().Alboms[1].NumPesni = -1;
        const QStringList songs = songsOnDisk(env, 2);
        frmForma().ListPath = songs;
        G().NameAlbom = "old.alb";
        G().AlbomChanged = 1;
        G().ShowForm = false;
        frmForma().noteVisible(false);
        bool visibleAtMsg = false;
        env.dialogs.onMsg = [&](const MsgCall &) { visibleAtMsg = frmForma().Visible(); };

        QTEST(OpenAlbomM(name), "result");
        QCOMPARE(frmForma().lstAlbomy.items(), QStringList{"a.alb"});
        QCOMPARE(G().Alboms.size(), 1);
        if (message.isEmpty())
            return;
        QCOMPARE(prompts(env.dialogs), QStringList{message});
        QCOMPARE(env.dialogs.msgs[0].style, vbOKOnly + vbCritical);
        // The message needs its window on screen, painted, also from the tray.
        QVERIFY(visibleAtMsg);
        QCOMPARE(env.events.doEvents, 1);
        QCOMPARE(G().ShowForm, false);
        QCOMPARE(frmForma().ListPath, songs);
        QCOMPARE(G().NameAlbom, "old.alb");
        QCOMPARE(G().AlbomChanged, 1);
    }

    // Saving under a name: who is asked, what is said, what is left on disk.
    void save_data() {
        QTest::addColumn<QString>("open");
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("answer"); // to the replace question
        QTest::addColumn<QString>("message");
        const QString ask = "File already exists.\r\nReplace him?";
        const QString readOnly = "File is protected from recording.";
        const QString cantSave = "File save not probably.";
        QTest::newRow("own name") << "a.alb" << int(Exists) << "a.alb" << 0 << "";
        QTest::newRow("own name other case") << "a.alb" << int(Exists) << "A.ALB" << 0 << "";
        QTest::newRow("new name, free") << "a.alb" << int(None) << "Pop.alb" << 0 << "";
        QTest::newRow("new name taken, no")
            << "a.alb" << int(Exists) << "Pop.alb" << int(vbNo) << ask;
        QTest::newRow("new name taken, yes") << "" << int(Exists) << "Pop.alb" << int(vbYes) << ask;
        QTest::newRow("read-only file") << "a.alb" << int(ReadOnly) << "a.alb" << 0 << readOnly;
        QTest::newRow("folder of that name") << "a.alb" << int(Folder) << "d.alb" << 0 << readOnly;
        QTest::newRow("missing folder") << "a.alb" << int(None) << "nowhere/a.alb" << 0 << cantSave;
        QTest::newRow("disk full") << "a.alb" << int(Full) << "a.alb" << 0 << cantSave;
    }
    void save() {
        QFETCH(QString, open);
        QFETCH(int, fault);
        QFETCH(QString, target);
        QFETCH(int, answer);
        QFETCH(QString, message);
        LogicEnv env;
        englishTexts();
        const QString native = env.drives.native(env.app(target));
        env.drives.put(env.app("a.alb"), "old");
        if (fault != None && fault != Folder)
            env.drives.put(env.app(target), "old");
        listAlbums({"a.alb"});
        FullDisk full({{"C", env.drives.native("C:/")}});
        if (fault == Full)
            P().fs = &full;
        if (fault == ReadOnly)
            QFile::setPermissions(native, QFile::ReadOwner | QFile::ReadGroup);
        if (fault == Folder)
            QDir().mkpath(native);
        G().NameAlbom = G().NameEndAlbom = open;
        G().AlbomChanged = 1;
        frmForma().ListPath = {"NewC:/new.mp3"};
        env.dialogs.answers.enqueue(answer ? answer : vbNo);

        SaveFileM(target);
        QFile::setPermissions(native, QFile::ReadOwner | QFile::WriteOwner);
        const bool written = message.isEmpty() || answer == vbYes;
        QCOMPARE(prompts(env.dialogs), message.isEmpty() ? QStringList() : QStringList{message});
        if (!message.isEmpty())
            QCOMPARE(env.dialogs.msgs[0].style,
                     answer ? vbYesNo + vbExclamation + vbDefaultButton2 : vbOKOnly + vbCritical);
        const QByteArray before = fault == None || fault == Folder ? "" : "old";
        QCOMPARE(env.drives.get(env.app(target)),
                 written ? albumFile(" 1 ", {"NewC:/new.mp3"}) : before);
        if (!written) {
            QCOMPARE(env.drives.get(env.app("a.alb")), "old");
            QCOMPARE(frmForma().lstAlbomy.items(), QStringList{"a.alb"});
        }
        QCOMPARE(G().AlbomChanged, written ? 0 : 1);
        QCOMPARE(G().NameAlbom, written ? target : open);
        QCOMPARE(G().NameEndAlbom, written ? target : open);
        QCOMPARE(full.writes, fault == Full ? 1 : 0);
    }
};

QTEST_GUILESS_MAIN(TestAlbumFile)
#include "tst_albumfile.moc"
