// Starting songs, the Play/Pause/Stop commands, the playlist keys, the
// player's state event and the tray routines.
#include "Fakes.h"

#include "core/Forma.h"
#include "core/Globals.h"
#include "playback/NewPlayM.h"
#include "playback/PlayerCommands.h"
#include "playback/Tray.h"

#include <QSignalSpy>
#include <QtTest>
#include <functional>

using namespace tv;
using namespace tv::test;

namespace {

using Command = std::function<void()>;

// One song per path, titled "Intro: Song<n>" (a title may hold a colon; the
// path starts after the last one). The files exist unless told otherwise.
void setPlaylist(LogicEnv &env, const QStringList &paths, bool put = true) {
    QStringList entries;
    for (int i = 0; i < paths.size(); ++i) {
        entries << QStringLiteral("Intro: Song%1").arg(i + 1) + paths.at(i);
        if (put)
            env.drives.put(paths.at(i));
    }
    frmForma().ListPath = entries;
    frmForma().PlayList.rebuild();
    G().strTitle = QStringLiteral("Tonvela for MP3");
    G().strNotFound = QStringLiteral("is not found.");
}

} // namespace

class TestNewPlay : public QObject {
    Q_OBJECT
private slots:
    void indexWithoutSongStartsNothing() {
        LogicEnv env;
        setPlaylist(env, {"E:/music/a.mp3"});
        G().NumPesni = 0;
        NewPlayM(-1);
        NewPlayM(1);
        QVERIFY(env.player.calls.isEmpty());
        QVERIFY(env.dialogs.msgs.isEmpty());
        QVERIFY(env.tray.calls.isEmpty());
        QCOMPARE(G().NumPesni, 0);
    }

    void searchesOtherDrives_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QString>("played"); // empty: the not-found message

        QTest::newRow("where the album says")
            << "E:/music/a.mp3" << QStringList{"E:/music/a.mp3"} << "E:/music/a.mp3";
        QTest::newRow("moved from E to F")
            << "E:/music/a.mp3" << QStringList{"F:/music/a.mp3"} << "F:/music/a.mp3";
        QTest::newRow("first drive of the list is never tried")
            << "E:/music/a.mp3" << QStringList{"C:/music/a.mp3"} << "";
        QTest::newRow("first hit in list order wins")
            << "F:/music/a.mp3" << QStringList{"Z:/music/a.mp3", "E:/music/a.mp3"}
            << "E:/music/a.mp3";
        QTest::newRow("drive no longer attached")
            << "D:/music/a.mp3" << QStringList{"Z:/music/a.mp3"} << "Z:/music/a.mp3";
    }
    // Song 2 is started while song 1 plays and the window is hidden; a
    // missing file is looked for on the other drives.
    void searchesOtherDrives() {
        QFETCH(QString, stored);
        QFETCH(QStringList, present);
        QFETCH(QString, played);
        LogicEnv env;
        for (const QString &p : present)
            env.drives.put(p);
        setPlaylist(env, {"E:/m/playing.mp3", stored}, false);
        env.drives.put("E:/m/playing.mp3");
        const QStringList entries = frmForma().ListPath;
        NewPlayM(0);
        env.player.calls.clear();
        G().ShowForm = false;
        frmForma().setVisible(false);
        bool shownFirst = false;
        env.dialogs.onMsg = [&](const MsgCall &) {
            shownFirst = frmForma().Visible() && G().ShowForm;
        };
        // The pending events run between URL and play; mark where.
        env.events.pending = [&] { env.player.calls << "events"; };

        NewPlayM(1);

        // The search is repeated at every start; the album keeps its path.
        QCOMPARE(frmForma().ListPath, entries);
        if (!played.isEmpty()) {
            QCOMPARE(env.player.calls, QStringList({"pause", "url:" + played, "events", "play"}));
            QVERIFY(env.dialogs.msgs.isEmpty());
            QVERIFY(!G().ShowForm);
            return;
        }
        // The message needs a visible owner, also while hidden in the tray.
        QVERIFY(shownFirst);
        QCOMPARE(env.dialogs.msgs.size(), 1);
        const MsgCall msg = env.dialogs.msgs.first();
        QCOMPARE(msg.prompt + "|" + msg.title, stored + "\r\nis not found.|Tonvela for MP3");
        QCOMPARE(msg.style, vbOKOnly | vbCritical);
        // The song that was playing goes on; nothing else changes.
        QVERIFY(env.player.calls.isEmpty());
        QCOMPARE(G().NumPesni, 0);
        QCOMPARE(frmForma().nazvanie(), QString("1.Intro: Song1"));
        QCOMPARE(frmForma().PlayList.ListIndex(), 0);
    }

    void recordsSong_data() {
        QTest::addColumn<QString>("nameAlbom");
        QTest::addColumn<int>("registrySize");
        QTest::addColumn<QString>("tip");
        QTest::newRow("saved album") << "rock.alb" << 3 << "tip:3.Dawn - rock.alb";
        QTest::newRow("never saved") << "" << 3 << "tip:3.Dawn - ";
        QTest::newRow("no registry entry") << "rock.alb" << 0 << "tip:3.Dawn - rock.alb";
    }
    void recordsSong() {
        QFETCH(QString, nameAlbom);
        QFETCH(int, registrySize);
        QFETCH(QString, tip);
        LogicEnv env;
        setPlaylist(env, {"E:/m/1.mp3", "E:/m/2.mp3", "E:/m/3.mp3"});
        frmForma().ListPath.last() = "DawnE:/m/3.mp3";
        frmForma().PlayList.rebuild();
        resizeAlboms(registrySize - 1);
        G().NumAlbom = 1;
        G().NameAlbom = nameAlbom;

        NewPlayM(2);

        QCOMPARE(G().NumPesni, 2);
        for (int i = 0; i < registrySize; ++i)
            QCOMPARE(G().Alboms.at(i).NumPesni, i == 1 ? 2 : 0);
        QCOMPARE(frmForma().nazvanie(), QString("3.Dawn"));
        QCOMPARE(frmForma().PlayList.ListIndex(), 2);
        QCOMPARE(env.tray.calls, QStringList{tip});
    }

    // What each entry point asks of the player in each player state, in the
    // order Undefined, Stopped, Paused, Playing, loading. "A"/"B": song a or
    // b is started; "rewind" is pause and back to 0; "-" is nothing.
    void commands_data() {
        QTest::addColumn<Command>("command");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("calls");
        const auto row = [](const char *name, int selected, const char *calls, Command c) {
            QTest::addRow("%s, selected %d", name, selected) << c << selected << QString(calls);
        };
        for (int selected : {1, -1}) {
            const char *play = selected < 0 ? "- play play - -" : "B play play B B";
            row("MusicPlay", selected, play, MusicPlay_Click);
            row("pPlay", selected, play, [] { pPlay_Click(1); });
        }
        row("pMenuPlay", 1, "B play play B B", pMenuPlay_Click);
        // From the tray with the window hidden: the current song again.
        row("pMenuPlay hidden", 1, "A A A A A", [] { G().ShowForm = false, pMenuPlay_Click(); });
        row("MusicPausa", 1, "- - - pause -", MusicPausa_Click);
        row("pMenuPauase", 1, "- - - pause -", pMenuPauase_Click);
        row("pPause", 1, "- - - pause -", [] { pPause_Click(1); });
        row("MusicStop", 1, "- - - rewind -", MusicStop_Click);
        row("pMenuStop", 1, "- - - rewind -", pMenuStop_Click);
        row("DblClick", 1, "B B B B B", PlayList_DblClick);
        row("DblClick", -1, "- - - - -", PlayList_DblClick);
        // Enter counts only with its key-down in the list.
        row("Enter", 1, "B B B B B", [] { PlayList_KeyDown(), PlayList_KeyUp(13); });
        row("Enter released only", 1, "- - - - -", [] { PlayList_KeyUp(13); });
        row("stale key-down", 1, "- - - - -",
            [] { PlayList_KeyDown(), PlayList_KeyUp(65), PlayList_KeyUp(13); });
    }
    void commands() {
        QFETCH(Command, command);
        QFETCH(int, selected);
        QFETCH(QString, calls);
        QStringList seen;
        for (int state : {MediaPlayer::Undefined, MediaPlayer::Stopped, MediaPlayer::Paused,
                          MediaPlayer::Playing, MediaPlayer::Transitioning}) {
            LogicEnv env;
            setPlaylist(env, {"E:/m/a.mp3", "E:/m/b.mp3"});
            NewPlayM(0);
            env.player.force(state);
            env.player.calls.clear();
            frmForma().PlayList.setListIndex(selected);
            G().ShowForm = true;
            command();
            // Never the player's own stop: that would read as "song over".
            QString done = env.player.calls.join(' ');
            done.replace("pause url:E:/m/a.mp3 play", "A")
                .replace("pause url:E:/m/b.mp3 play", "B");
            seen << (done.isEmpty() ? QString("-") : done.replace("pause pos:0", "rewind"));
        }
        QCOMPARE(seen.join(' '), calls);
    }

    // connect: 1 once, 2 twice (the second call replaces the connections),
    // 3 again after a new main window (which gets its own).
    void pictureButtons_data() {
        QTest::addColumn<int>("connect");
        QTest::addColumn<QList<int>>("states");
        QTest::addColumn<bool>("playing");
        QTest::addColumn<bool>("timerArmed");
        QTest::newRow("playing") << 1 << QList<int>{3} << true << false;
        QTest::newRow("paused") << 1 << QList<int>{3, 2} << false << false;
        QTest::newRow("stopped") << 1 << QList<int>{3, 1} << false << true;
        QTest::newRow("loading") << 1 << QList<int>{9} << false << false;
        QTest::newRow("stopped, then playing") << 1 << QList<int>{1, 3} << true << true;
        QTest::newRow("connected twice") << 2 << QList<int>{3, 1} << false << true;
        QTest::newRow("new main window") << 3 << QList<int>{3, 1} << false << true;
    }
    void pictureButtons() {
        QFETCH(int, connect);
        QFETCH(QList<int>, states);
        QFETCH(bool, playing);
        QFETCH(bool, timerArmed);
        LogicEnv env;
        connectPlayback();
        if (connect == 3)
            resetForma();
        if (connect > 1)
            connectPlayback();
        QSignalSpy spy(&frmForma(), &Forma::pictureButtonsChanged);
        for (int s : states)
            env.player.force(s);
        QCOMPARE(spy.count(), states.size());
        const Forma &f = frmForma();
        QCOMPARE(
            QList<bool>({f.pPlay.visible1, f.pPlay.visible2, f.pPause.visible1, f.pPause.visible2}),
            QList<bool>({!playing, playing, playing, !playing}));
        QCOMPARE(f.tmrEndSound.isActive(), timerArmed);
    }

    void tipIsCut_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("tip");
        const QString seventy = QString("0123456789").repeated(7);
        QTest::newRow("70 characters") << seventy << seventy.left(63);
        // A character outside the basic plane must not be cut in half.
        const QString clef = QString::fromUcs4(U"\U0001D11E");
        QTest::newRow("no half character") << seventy.left(62) + clef + "x" << seventy.left(62);
    }
    void tipIsCut() {
        QFETCH(QString, text);
        QFETCH(QString, tip);
        LogicEnv env;
        TrayAdd(text);
        TrayTip(text);
        TrayDelete();
        QCOMPARE(env.tray.calls, QStringList({"add:" + tip, "tip:" + tip, "remove"}));
        // Without a notification area there is no tray port; nothing breaks.
        P().tray = nullptr;
        TrayAdd(text);
        TrayTip(text);
        TrayDelete();
    }
};

QTEST_GUILESS_MAIN(TestNewPlay)
#include "tst_newplay.moc"
