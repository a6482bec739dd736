#include "AlbumKit.h"

#include "core/TextLines.h"

#include <QDir>

using namespace tv;
using namespace tv::test;

namespace {

// What stands at the target name before a save.
// Torn: a song of the album holds a line break.
enum Target { None, Exists, ReadOnly, Folder, Full, Torn };

const QByteArray kCyrillic(" 1 \r\n\xC7\xE0\xF0\xFF C:/\xCC\xF3\xE7\xFB\xEA\xE0/z.mp3\r\n");
const QByteArray kUtf8("\xEF\xBB\xBF 2 \r\n\xE9\x9F\xB3\xE6\xA5\xBD C:/\xE9\x9F\xB3/a.mp3\r\n"
                       "\xD0\x97\xD0\xB0 C:/m/z.mp3\r\n");

} // namespace

class TestAlbumFile : public QObject {
    Q_OBJECT
private slots:
    // An album is read and the same playlist written back: these bytes.
    void readThenWrite_data() {
        columns<QByteArray, QByteArray>("bytes", "written");
        const QStringList three = {"  Lead, x C:/m/1.mp3", "Live: Act 2E:/l/2.mp3",
                                   "a:b:cC:/m/u.mp3"};
        row("commas colons blanks", albumFile(" 3 ", three), albumFile(" 3 ", three));
        row("count far too large", albumFile(" 2000000000 ", three), albumFile(" 3 ", three));
        row("count below the lines", albumFile(" 1 ", three), albumFile(" 1 ", three.mid(0, 1)));
        row("negative count", albumFile("-5 ", three), QByteArray(" 0 \r\n"));
        row("empty file", QByteArray(), QByteArray(" 0 \r\n"));
        row("cyrillic in 1251", kCyrillic, kCyrillic);
        row("beyond 1251: utf-8 behind a mark", kUtf8, kUtf8);
        row("utf-8 that 1251 holds",
            QByteArray("\xEF\xBB\xBF 1 \r\n\xD0\x96"
                       "C:/a.mp3\r\n"),
            QByteArray(" 1 \r\n\xC6"
                       "C:/a.mp3\r\n"));
    }
    void readThenWrite() {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, written);
        AlbumEnv env;
        env.drives.put(env.app("a.alb"), bytes);
        listAlbums({"a.alb"});
        frmForma().lstAlbomy.setListIndex(0);
        // A playlist that a failed read would leave, and that must not play.
        frmForma().ListPath = env.songsOnDisk(2);
        G().AlbomChanged = 1;

        QCOMPARE(OpenAlbomM("a.alb"), 0);
        QCOMPARE(frmForma().ListPath, TextLines::decode(written).mid(1));
        QCOMPARE(openState(), "a.alb|0|0|0");
        QCOMPARE(G().NameEndAlbom, "a.alb");
        QCOMPARE(frmForma().Caption(), "Tonvela for MP3 - a.alb");
        // The songs' files are not there: that is for the song start to say.
        QVERIFY(!env.said().startsWith("is not found."));
        QVERIFY(env.player.calls.isEmpty());

        env.drives.put(env.app("a.alb"), "overwritten");
        SaveFileM("a.alb");
        QCOMPARE(env.drives.get(env.app("a.alb")), written);
    }

    void rememberedSongStarts_data() {
        columns<int, int, int, int>("selected", "remembered", "current", "started");
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
        AlbumEnv env;
        env.drives.put(env.app("five.alb"), albumFile(" 5 ", env.songsOnDisk(5)));
        listAlbums({"five.alb"});
        G().Alboms[0].NumPesni = remembered;
        frmForma().lstAlbomy.setListIndex(selected);
        G().NumPesni = current;

        QCOMPARE(OpenAlbomM("five.alb"), 0);
        QCOMPARE(G().NumAlbom, selected);
        QCOMPARE(G().NumPesni, started);
        QCOMPARE(env.player.URL(), QStringLiteral("C:/Music/%1.mp3").arg(started));
        QCOMPARE(registry(), "five.alb:" + QString::number(selected < 0 ? remembered : started));
    }

    void readDropsNewAndFailuresChangeNothing_data() {
        columns<QString, int, QString>("name", "result", "message");
        row("missing file", "gone.alb", 1, "is not found.");
        row("folder of that name", "dir.alb", 1, "File open not probably.");
        row("the read succeeds", "a.alb", 0, "");
    }
    // The "New" placeholder goes whether or not the read succeeds.
    void readDropsNewAndFailuresChangeNothing() {
        QFETCH(QString, name);
        AlbumEnv env;
        env.drives.put(env.app("a.alb"), " 0 \r\n");
        QDir().mkpath(env.drives.native(env.app("dir.alb")));
        listAlbums({"a.alb", "New"});
        G().Alboms[1].NumPesni = -1;
        const QStringList songs = frmForma().ListPath = env.songsOnDisk(2);
        G().NameAlbom = "old.alb";
        G().AlbomChanged = 1;
        G().ShowForm = false;
        bool visibleAtMsg = false;
        env.dialogs.onMsg = [&](const MsgCall &) { visibleAtMsg = frmForma().Visible(); };

        QTEST(OpenAlbomM(name), "result");
        QCOMPARE(frmForma().lstAlbomy.items(), QStringList{"a.alb"});
        QCOMPARE(registry(), "a.alb:0");
        QTEST(env.said(), "message");
        if (env.dialogs.msgs.isEmpty())
            return;
        QCOMPARE(env.dialogs.msgs[0].style, vbOKOnly + vbCritical);
        // The message needs its window on screen, painted, also from the tray.
        QVERIFY(visibleAtMsg && !G().ShowForm);
        QCOMPARE(env.events.doEvents, 1);
        QCOMPARE(frmForma().ListPath, songs);
        QCOMPARE(openState(), "old.alb|0|-1|1");
    }

    // Saving under a name: who is asked, what is said, what is left on disk.
    void save_data() {
        // answer: to the replace question.
        columns<QString, int, QString, int, QString>("open", "fault", "target", "answer", "said");
        const QString ask = "File already exists.\r\nReplace him?";
        const QString readOnly = "File is protected from recording.";
        const QString cantSave = "File save not probably.";
        QTest::newRow("own name") << "a.alb" << int(Exists) << "a.alb" << 0 << "";
        QTest::newRow("own name other case") << "a.alb" << int(Exists) << "A.ALB" << 0 << "";
        QTest::newRow("new name, free") << "a.alb" << int(None) << "Pop.alb" << 0 << "";
        QTest::newRow("name taken, no") << "a.alb" << int(Exists) << "Pop.alb" << int(vbNo) << ask;
        QTest::newRow("name taken, yes") << "" << int(Exists) << "Pop.alb" << int(vbYes) << ask;
        QTest::newRow("read-only file") << "a.alb" << int(ReadOnly) << "a.alb" << 0 << readOnly;
        QTest::newRow("folder of that name") << "a.alb" << int(Folder) << "d.alb" << 0 << readOnly;
        QTest::newRow("missing folder") << "a.alb" << int(None) << "nowhere/a.alb" << 0 << cantSave;
        QTest::newRow("disk full") << "a.alb" << int(Full) << "a.alb" << 0 << cantSave;
        QTest::newRow("a song would break its line")
            << "a.alb" << int(Torn) << "a.alb" << 0 << cantSave;
    }
    void save() {
        QFETCH(QString, open);
        QFETCH(int, fault);
        QFETCH(QString, target);
        QFETCH(int, answer);
        AlbumEnv env;
        const QString native = env.drives.native(env.app(target));
        env.drives.put(env.app("a.alb"), "old");
        if (fault != None && fault != Folder)
            env.drives.put(env.app(target), "old");
        listAlbums({"a.alb"});
        WatchedFs disk(env);
        disk.full = fault == Full;
        if (fault == ReadOnly)
            QFile::setPermissions(native, QFile::ReadOwner | QFile::ReadGroup);
        if (fault == Folder)
            QDir().mkpath(native);
        G().NameAlbom = G().NameEndAlbom = open;
        G().AlbomChanged = 1;
        frmForma().ListPath = {"NewC:/new.mp3"};
        if (fault == Torn)
            frmForma().ListPath = {"x\r\n 9 \r\nEvilZ:/etc/passwdC:/x.mp3", "NewC:/new.mp3"};
        env.dialogs.answers.enqueue(answer ? answer : vbNo);

        SaveFileM(target);
        QTEST(env.said(), "said");
        const bool written = env.dialogs.msgs.isEmpty() || answer == vbYes;
        if (!env.dialogs.msgs.isEmpty())
            QCOMPARE(env.dialogs.msgs[0].style,
                     answer ? vbYesNo + vbExclamation + vbDefaultButton2 : vbOKOnly + vbCritical);
        const QByteArray before = fault == None || fault == Folder ? "" : "old";
        QCOMPARE(env.drives.get(env.app(target)),
                 written ? albumFile(" 1 ", {"NewC:/new.mp3"}) : before);
        if (!written)
            QCOMPARE(env.drives.get(env.app("a.alb")), "old");
        const QString name = written ? target : open;
        QCOMPARE(QStringList({G().NameAlbom, G().NameEndAlbom, QString::number(G().AlbomChanged)}),
                 QStringList({name, name, written ? "0" : "1"}));
    }
};

QTEST_GUILESS_MAIN(TestAlbumFile)
#include "tst_albumfile.moc"
