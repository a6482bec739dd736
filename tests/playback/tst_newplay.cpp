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

// One song per path, titled "Song<n>".
void setPlaylist(const QStringList &entries) {
    frmForma().ListPath = entries;
    frmForma().PlayList.rebuild();
}

QStringList songs(const QStringList &paths) {
    QStringList entries;
    for (int i = 0; i < paths.size(); ++i)
        entries << QStringLiteral("Song%1").arg(i + 1) + paths.at(i);
    return entries;
}

void englishTexts() {
    G().strTitle = QStringLiteral("Tonvela for MP3");
    G().strNotFound = QStringLiteral("is not found.");
}

const QMap<QString, std::function<void()>> &commandTable() {
    static const QMap<QString, std::function<void()>> table{
        {"MusicPlay", MusicPlay_Click},     {"pPlay", [] { pPlay_Click(1); }},
        {"pMenuPlay", pMenuPlay_Click},     {"MusicPausa", MusicPausa_Click},
        {"pMenuPauase", pMenuPauase_Click}, {"pPause", [] { pPause_Click(1); }},
        {"MusicStop", MusicStop_Click},     {"pMenuStop", pMenuStop_Click},
        {"DblClick", PlayList_DblClick},
    };
    return table;
}

} // namespace

class TestNewPlay : public QObject {
    Q_OBJECT
private slots:
    void minusOneDoesNothing();
    void handsFileToPlayerInOrder();
    void searchesOtherDrives_data();
    void searchesOtherDrives();
    void titleWithColon();
    void missingFileShowsWindowFirst();
    void recordsSong_data();
    void recordsSong();
    void indexPastEndDoesNothing();
    void commands_data();
    void commands();
    void stopThenPlayRestarts();
    void enterNeedsKeyDown_data();
    void enterNeedsKeyDown();
    void pictureButtons_data();
    void pictureButtons();
    void connectPlaybackTwiceConnectsOnce();
    void connectPlaybackFollowsNewForma();
    void tipIsCut_data();
    void tipIsCut();
    void trayAddAndDelete();
    void trayMenuEnabling_data();
    void trayMenuEnabling();
    void showHideTwiceRestores();
};

void TestNewPlay::minusOneDoesNothing() {
    LogicEnv env;
    env.drives.put("E:/music/a.mp3");
    setPlaylist(songs({"E:/music/a.mp3"}));
    G().NumPesni = 0;
    NewPlayM(-1);
    QVERIFY(env.player.calls.isEmpty());
    QCOMPARE(env.events.doEvents, 0);
    QVERIFY(env.dialogs.msgs.isEmpty());
    QVERIFY(env.tray.calls.isEmpty());
    QCOMPARE(G().NumPesni, 0);
    QCOMPARE(frmForma().PlayList.ListIndex(), -1);
}

void TestNewPlay::handsFileToPlayerInOrder() {
    LogicEnv env;
    env.drives.put("E:/music/a.mp3");
    setPlaylist(songs({"E:/music/a.mp3"}));
    // The pending events run between URL and play; mark where.
    env.events.pending = [&] { env.player.calls << "events"; };
    NewPlayM(0);
    QCOMPARE(env.player.calls, QStringList({"pause", "url:E:/music/a.mp3", "events", "play"}));
    QCOMPARE(env.player.playState(), int(MediaPlayer::Playing));
}

void TestNewPlay::searchesOtherDrives_data() {
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
        << "F:/music/a.mp3" << QStringList{"Z:/music/a.mp3", "E:/music/a.mp3"} << "E:/music/a.mp3";
    QTest::newRow("drive no longer attached")
        << "D:/music/a.mp3" << QStringList{"Z:/music/a.mp3"} << "Z:/music/a.mp3";
    QTest::newRow("nowhere") << "E:/music/a.mp3" << QStringList{"F:/music/b.mp3"} << "";
}

void TestNewPlay::searchesOtherDrives() {
    QFETCH(QString, stored);
    QFETCH(QStringList, present);
    QFETCH(QString, played);
    LogicEnv env;
    englishTexts();
    for (const QString &p : present)
        env.drives.put(p);
    setPlaylist(songs({stored}));
    NewPlayM(0);
    if (played.isEmpty()) {
        QVERIFY(env.player.calls.isEmpty());
        QCOMPARE(env.dialogs.msgs.size(), 1);
        QCOMPARE(G().NumPesni, -1);
    } else {
        QCOMPARE(env.player.calls, QStringList({"pause", "url:" + played, "play"}));
        QVERIFY(env.dialogs.msgs.isEmpty());
        QCOMPARE(G().NumPesni, 0);
    }
    // The search is repeated at every start; the album keeps its path.
    QCOMPARE(frmForma().ListPath, songs({stored}));
}

void TestNewPlay::titleWithColon() {
    LogicEnv env;
    env.drives.put("E:/a.mp3");
    setPlaylist({"Intro: LiveE:/a.mp3"});
    NewPlayM(0);
    QCOMPARE(env.player.URL(), QString("E:/a.mp3"));
    QCOMPARE(frmForma().nazvanie(), QString("1.Intro: Live"));
}

void TestNewPlay::missingFileShowsWindowFirst() {
    LogicEnv env;
    englishTexts();
    env.drives.put("E:/music/a.mp3");
    setPlaylist(songs({"E:/music/a.mp3", "E:/music/gone.mp3"}));
    NewPlayM(0);
    env.player.calls.clear();
    G().ShowForm = false;
    frmForma().setVisible(false);

    bool shownBefore = false;
    env.dialogs.onMsg = [&](const MsgCall &) {
        shownBefore = frmForma().Visible() && G().ShowForm;
    };
    NewPlayM(1);

    QVERIFY(shownBefore);
    QCOMPARE(env.dialogs.msgs.size(), 1);
    const MsgCall msg = env.dialogs.msgs.first();
    QCOMPARE(msg.prompt, QString("E:/music/gone.mp3\r\nis not found."));
    QCOMPARE(msg.style, vbOKOnly | vbCritical);
    QCOMPARE(msg.title, QString("Tonvela for MP3"));
    // The song that was playing goes on; nothing else changes.
    QVERIFY(env.player.calls.isEmpty());
    QCOMPARE(env.player.playState(), int(MediaPlayer::Playing));
    QCOMPARE(env.player.URL(), QString("E:/music/a.mp3"));
    QCOMPARE(G().NumPesni, 0);
    QCOMPARE(frmForma().nazvanie(), QString("1.Song1"));
    QCOMPARE(frmForma().PlayList.ListIndex(), 0);
}

void TestNewPlay::recordsSong_data() {
    QTest::addColumn<QString>("nameAlbom");
    QTest::addColumn<int>("registrySize");
    QTest::addColumn<QString>("tip");

    QTest::newRow("saved album") << "rock.alb" << 3 << "tip:3.Dawn - rock.alb";
    QTest::newRow("never saved") << "" << 3 << "tip:3.Dawn - ";
    QTest::newRow("no registry entry") << "rock.alb" << 0 << "tip:3.Dawn - rock.alb";
}

void TestNewPlay::recordsSong() {
    QFETCH(QString, nameAlbom);
    QFETCH(int, registrySize);
    QFETCH(QString, tip);
    LogicEnv env;
    for (const char *p : {"E:/m/1.mp3", "E:/m/2.mp3", "E:/m/3.mp3"})
        env.drives.put(p);
    setPlaylist({"DuskE:/m/1.mp3", "NoonE:/m/2.mp3", "DawnE:/m/3.mp3"});
    resizeAlboms(registrySize - 1);
    for (AlbomInfo &a : G().Alboms)
        a.NumPesni = 0;
    G().NumAlbom = 1;
    G().NameAlbom = nameAlbom;

    NewPlayM(2);

    QCOMPARE(G().NumPesni, 2);
    if (registrySize > 0) {
        QCOMPARE(G().Alboms.at(1).NumPesni, 2);
        QCOMPARE(G().Alboms.at(0).NumPesni, 0);
        QCOMPARE(G().Alboms.at(2).NumPesni, 0);
    }
    QCOMPARE(G().Alboms.size(), registrySize);
    QCOMPARE(frmForma().nazvanie(), QString("3.Dawn"));
    QCOMPARE(frmForma().PlayList.ListIndex(), 2);
    QCOMPARE(env.tray.calls, QStringList{tip});
}

void TestNewPlay::indexPastEndDoesNothing() {
    LogicEnv env;
    env.drives.put("E:/m/1.mp3");
    setPlaylist(songs({"E:/m/1.mp3"}));
    NewPlayM(1);
    QVERIFY(env.player.calls.isEmpty());
    QVERIFY(env.dialogs.msgs.isEmpty());
    QCOMPARE(G().NumPesni, -1);
}

void TestNewPlay::commands_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("selected");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<QStringList>("calls");

    const QStringList restartB{"pause", "url:E:/m/b.mp3", "play"};
    const QStringList restartA{"pause", "url:E:/m/a.mp3", "play"};
    const QStringList none;
    const int undefined = MediaPlayer::Undefined, stopped = MediaPlayer::Stopped,
              paused = MediaPlayer::Paused, playing = MediaPlayer::Playing,
              loading = MediaPlayer::Transitioning;

    for (const char *play : {"MusicPlay", "pPlay"}) {
        const QString c = play;
        QTest::addRow("%s paused resumes", play) << c << paused << 1 << true << QStringList{"play"};
        QTest::addRow("%s stopped resumes", play)
            << c << stopped << 1 << true << QStringList{"play"};
        QTest::addRow("%s playing starts selection", play) << c << playing << 1 << true << restartB;
        QTest::addRow("%s undefined starts selection", play)
            << c << undefined << 1 << true << restartB;
        QTest::addRow("%s loading starts selection", play) << c << loading << 1 << true << restartB;
        QTest::addRow("%s playing, no selection", play) << c << playing << -1 << true << none;
    }
    QTest::newRow("tray Play shown, paused")
        << "pMenuPlay" << paused << 1 << true << QStringList{"play"};
    QTest::newRow("tray Play shown, playing") << "pMenuPlay" << playing << 1 << true << restartB;
    QTest::newRow("tray Play hidden, paused restarts current")
        << "pMenuPlay" << paused << 1 << false << restartA;
    QTest::newRow("tray Play hidden, playing restarts current")
        << "pMenuPlay" << playing << 1 << false << restartA;
    for (const char *pause : {"MusicPausa", "pMenuPauase", "pPause"}) {
        const QString c = pause;
        QTest::addRow("%s playing", pause) << c << playing << 1 << true << QStringList{"pause"};
        QTest::addRow("%s paused", pause) << c << paused << 1 << true << none;
        QTest::addRow("%s stopped", pause) << c << stopped << 1 << true << none;
        QTest::addRow("%s undefined", pause) << c << undefined << 1 << true << none;
    }
    for (const char *stop : {"MusicStop", "pMenuStop"}) {
        const QString c = stop;
        QTest::addRow("%s playing", stop)
            << c << playing << 1 << true << QStringList{"pause", "pos:0"};
        QTest::addRow("%s paused keeps position", stop) << c << paused << 1 << true << none;
        QTest::addRow("%s stopped", stop) << c << stopped << 1 << true << none;
        QTest::addRow("%s undefined", stop) << c << undefined << 1 << true << none;
    }
    QTest::newRow("double-click starts selection") << "DblClick" << paused << 1 << true << restartB;
    QTest::newRow("double-click, no selection") << "DblClick" << paused << -1 << true << none;
}

void TestNewPlay::commands() {
    QFETCH(QString, command);
    QFETCH(int, state);
    QFETCH(int, selected);
    QFETCH(bool, shown);
    QFETCH(QStringList, calls);
    LogicEnv env;
    env.drives.put("E:/m/a.mp3");
    env.drives.put("E:/m/b.mp3");
    setPlaylist(songs({"E:/m/a.mp3", "E:/m/b.mp3"}));
    NewPlayM(0);
    env.player.force(state);
    env.player.calls.clear();
    frmForma().PlayList.setListIndex(selected);
    G().ShowForm = shown;

    commandTable().value(command)();

    QCOMPARE(env.player.calls, calls);
    // Stop is never the player's own stop: that would read as "song over".
    QVERIFY(!env.player.calls.contains("stop"));
}

void TestNewPlay::stopThenPlayRestarts() {
    LogicEnv env;
    env.drives.put("E:/m/a.mp3");
    setPlaylist(songs({"E:/m/a.mp3"}));
    NewPlayM(0);
    env.player.setCurrentPosition(42);
    MusicStop_Click();
    QCOMPARE(env.player.playState(), int(MediaPlayer::Paused));
    QCOMPARE(env.player.currentPosition(), 0.0);
    MusicPlay_Click();
    QCOMPARE(env.player.playState(), int(MediaPlayer::Playing));
    QCOMPARE(env.player.currentPosition(), 0.0);
    QCOMPARE(env.player.URL(), QString("E:/m/a.mp3"));
}

void TestNewPlay::enterNeedsKeyDown_data() {
    QTest::addColumn<QList<int>>("keys"); // > 0 key-down then up; < 0 key-up alone
    QTest::addColumn<bool>("starts");

    QTest::newRow("Enter pressed in the list") << QList<int>{13} << true;
    QTest::newRow("Enter released only") << QList<int>{-13} << false;
    QTest::newRow("other key") << QList<int>{65} << false;
    QTest::newRow("stale key-down is cleared by a key-up") << QList<int>{65, -13} << false;
    QTest::newRow("Enter twice") << QList<int>{13, 13} << true;
}

void TestNewPlay::enterNeedsKeyDown() {
    QFETCH(QList<int>, keys);
    QFETCH(bool, starts);
    LogicEnv env;
    env.drives.put("E:/m/a.mp3");
    setPlaylist(songs({"E:/m/a.mp3"}));
    frmForma().PlayList.setListIndex(0);
    for (int key : keys) {
        if (key > 0)
            PlayList_KeyDown();
        PlayList_KeyUp(qAbs(key));
        QCOMPARE(frmForma().PlayKeyDown, 0);
    }
    QCOMPARE(env.player.calls.contains("url:E:/m/a.mp3"), starts);
}

void TestNewPlay::pictureButtons_data() {
    QTest::addColumn<QList<int>>("states");
    QTest::addColumn<bool>("playing");
    QTest::addColumn<bool>("timerArmed");

    QTest::newRow("playing") << QList<int>{3} << true << false;
    QTest::newRow("paused") << QList<int>{3, 2} << false << false;
    QTest::newRow("stopped") << QList<int>{3, 1} << false << true;
    QTest::newRow("loading") << QList<int>{9} << false << false;
    QTest::newRow("stopped, then playing") << QList<int>{1, 3} << true << true;
}

void TestNewPlay::pictureButtons() {
    QFETCH(QList<int>, states);
    QFETCH(bool, playing);
    QFETCH(bool, timerArmed);
    LogicEnv env;
    connectPlayback();
    for (int s : states)
        env.player.force(s);
    const Forma &f = frmForma();
    QCOMPARE(f.pPlay.visible1, !playing);
    QCOMPARE(f.pPlay.visible2, playing);
    QCOMPARE(f.pPause.visible1, playing);
    QCOMPARE(f.pPause.visible2, !playing);
    QCOMPARE(f.tmrEndSound.isActive(), timerArmed);
}

void TestNewPlay::connectPlaybackTwiceConnectsOnce() {
    LogicEnv env;
    connectPlayback();
    connectPlayback();
    QSignalSpy spy(&frmForma(), &Forma::pictureButtonsChanged);
    env.player.force(MediaPlayer::Playing);
    QCOMPARE(spy.count(), 1);
}

void TestNewPlay::connectPlaybackFollowsNewForma() {
    LogicEnv env;
    connectPlayback();
    resetForma();
    connectPlayback();
    QSignalSpy spy(&frmForma(), &Forma::pictureButtonsChanged);
    env.player.force(MediaPlayer::Stopped);
    QCOMPARE(spy.count(), 1);
    QVERIFY(frmForma().tmrEndSound.isActive());
}

void TestNewPlay::tipIsCut_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("tip");

    const QString seventy = QString("0123456789").repeated(7);
    QTest::newRow("70 characters") << seventy << seventy.left(63);
    QTest::newRow("exactly 63") << seventy.left(63) << seventy.left(63);
    QTest::newRow("short") << "Tonvela for MP3"
                           << "Tonvela for MP3";
    QTest::newRow("Cyrillic counts characters")
        << QString("Песня").repeated(14) << QString("Песня").repeated(14).left(63);
    // A character outside the basic plane must not be cut in half.
    const QString clef = QString::fromUcs4(U"\U0001D11E");
    QTest::newRow("no half character") << seventy.left(62) + clef + "x" << seventy.left(62);
}

void TestNewPlay::tipIsCut() {
    QFETCH(QString, text);
    QFETCH(QString, tip);
    LogicEnv env;
    TrayAdd(text);
    TrayTip(text);
    QCOMPARE(env.tray.calls, QStringList({"add:" + tip, "tip:" + tip}));
}

void TestNewPlay::trayAddAndDelete() {
    LogicEnv env;
    TrayAdd("Tonvela for MP3");
    TrayDelete();
    QCOMPARE(env.tray.calls, QStringList({"add:Tonvela for MP3", "remove"}));
    // Without a tray port (no notification area) nothing breaks.
    P().tray = nullptr;
    TrayAdd("x");
    TrayTip("x");
    TrayDelete();
}

void TestNewPlay::trayMenuEnabling_data() {
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("numPesni");
    QTest::addColumn<bool>("play");
    QTest::addColumn<bool>("pauseStop");

    QTest::newRow("playing") << int(MediaPlayer::Playing) << 0 << false << true;
    QTest::newRow("paused") << int(MediaPlayer::Paused) << 0 << true << false;
    QTest::newRow("stopped") << int(MediaPlayer::Stopped) << 2 << true << false;
    QTest::newRow("nothing started yet") << int(MediaPlayer::Undefined) << -1 << false << false;
    QTest::newRow("loading") << int(MediaPlayer::Transitioning) << 0 << true << false;
}

void TestNewPlay::trayMenuEnabling() {
    QFETCH(int, state);
    QFETCH(int, numPesni);
    QFETCH(bool, play);
    QFETCH(bool, pauseStop);
    LogicEnv env;
    Forma &f = frmForma();
    // Start from the opposite, so that every item must be set.
    f.pMenuPlay.setEnabled(!play);
    f.pMenuPauase.setEnabled(!pauseStop);
    f.pMenuStop.setEnabled(!pauseStop);
    env.player.force(state);
    G().NumPesni = numPesni;
    pMenu_Click();
    QCOMPARE(f.pMenuPlay.Enabled(), play);
    QCOMPARE(f.pMenuPauase.Enabled(), pauseStop);
    QCOMPARE(f.pMenuStop.Enabled(), pauseStop);
    for (MenuItem *other :
         {&f.pMenuShowHide, &f.pMenuGromkost, &f.pMenuNonStop, &f.pMenuListAlbom, &f.pMenuExit})
        QVERIFY(other->Enabled());
}

void TestNewPlay::showHideTwiceRestores() {
    LogicEnv env;
    env.drives.put("E:/m/a.mp3");
    setPlaylist(songs({"E:/m/a.mp3"}));
    NewPlayM(0);
    G().ShowForm = true;
    frmForma().setVisible(true);
    QSignalSpy spy(&frmForma(), &Forma::visibilityRequested);

    pMenuShowHide_Click();
    QVERIFY(!G().ShowForm);
    QVERIFY(!frmForma().Visible());
    pMenuShowHide_Click();
    QVERIFY(G().ShowForm);
    QVERIFY(frmForma().Visible());
    QCOMPARE(spy.count(), 2);
    // The music plays on through both.
    QCOMPARE(env.player.playState(), int(MediaPlayer::Playing));
    QCOMPARE(env.player.calls.count("pause"), 1);
}

QTEST_GUILESS_MAIN(TestNewPlay)
#include "tst_newplay.moc"
