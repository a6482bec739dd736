// What plays when a song ends: the next song, the next album, the album list
// window, or nothing.
#include "Fakes.h"

#include "core/AlbumCommands.h"
#include "core/AlbumFile.h"
#include "core/Forma.h"
#include "core/Globals.h"
#include "core/TextLines.h"
#include "core/UpDatePlayListM.h"
#include "playback/NewPlayM.h"
#include "playback/PlayerCommands.h"
#include "playback/Sequencing.h"

#include <QFile>
#include <QSignalSpy>
#include <QtTest>

using namespace tv;
using namespace tv::test;

namespace {

// The song paths of album <name>.alb: E:/m/<name>/1.mp3 and on.
QStringList songPaths(const QString &name, int count) {
    QStringList paths;
    for (int i = 1; i <= count; ++i)
        paths << QStringLiteral("E:/m/%1/%2.mp3").arg(name).arg(i);
    return paths;
}

// Albums on disk and in the registry, as the album list refresh leaves them.
struct Library {
    LogicEnv env;

    Library() {
        G().strTitle = QStringLiteral("Tonvela for MP3");
        G().strNotFound = QStringLiteral("is not found.");
        G().strCantOpen = QStringLiteral("File open not probably.");
    }

    void write(const QString &name, int songs) {
        QStringList lines{TextLines::number(songs)};
        for (const QString &p : songPaths(name, songs)) {
            env.drives.put(p);
            lines << QStringLiteral("Title ") + p;
        }
        env.drives.put(env.app(name + ".alb"), TextLines::encode(lines));
    }

    void remove(const QString &name) {
        QVERIFY(QFile::remove(env.drives.native(env.app(name + ".alb"))));
    }

    // Registers the albums on disk; remembered[i] is album i's last song.
    void refresh(const QList<int> &remembered) {
        LoadAlbomInfoM();
        QCOMPARE(G().AlbomUB + 1, remembered.size());
        for (int i = 0; i < remembered.size(); ++i)
            G().Alboms[i].NumPesni = remembered.at(i);
    }

    // Opens album i as a double-click in the album list would, then starts
    // song `song` of it; the player's log starts empty afterwards.
    void open(int i, int song) {
        frmForma().lstAlbomy.setListIndex(i);
        QCOMPARE(OpenAlbomM(frmForma().lstAlbomy.List(i)), 0);
        NewPlayM(song);
        QCOMPARE(G().NumPesni, song);
        env.player.calls.clear();
        env.windows.calls.clear();
    }

    QStringList urls() const { return env.player.calls.filter("url:"); }
};

// A player that cannot decode some files: it reports stopped, as the real
// one does on a decoding error, and will not play them.
class BrokenPlayer : public FakePlayer {
public:
    QStringList broken;
    void setURL(const QString &path) override {
        FakePlayer::setURL(path);
        if (broken.contains(path))
            force(Stopped);
    }
    void play() override {
        if (broken.contains(URL()))
            calls << QStringLiteral("play");
        else
            FakePlayer::play();
    }
};

} // namespace

class TestSequencing : public QObject {
    Q_OBJECT
private slots:
    void nextSong_data();
    void nextSong();
    void endOfAlbum_data();
    void endOfAlbum();
    void nothingToGoOn_data();
    void nothingToGoOn();
    void missingNextAlbum();
    void controlBarStopMovesOn();
    void songsRemovedBehindCurrent_data();
    void songsRemovedBehindCurrent();
    void undecodableFileMovesOn();
    void songChosenAfterEndIsKept_data();
    void songChosenAfterEndIsKept();
    void timerTickDisarms();
    void timerTimeoutRunsEndTime();
    void nonStopSwitch_data();
    void nonStopSwitch();
};

void TestSequencing::nextSong_data() {
    QTest::addColumn<bool>("shown");
    QTest::addColumn<bool>("nonStop");
    QTest::newRow("shown") << true << false;
    QTest::newRow("shown, non-stop") << true << true;
    QTest::newRow("hidden") << false << false;
    QTest::newRow("hidden, non-stop") << false << true;
}

void TestSequencing::nextSong() {
    QFETCH(bool, shown);
    QFETCH(bool, nonStop);
    Library lib;
    lib.write("a", 3);
    lib.write("b", 2);
    lib.refresh({0, 0});
    lib.open(0, 0);
    connectPlayback();
    G().ShowForm = shown;
    frmForma().MusicNonStop.setChecked(nonStop);

    lib.env.player.finish();
    QVERIFY(frmForma().tmrEndSound.isActive());
    QVERIFY(lib.urls().isEmpty());
    tmrEndSound_Timer();

    QVERIFY(!frmForma().tmrEndSound.isActive());
    QCOMPARE(lib.urls(), QStringList{"url:E:/m/a/2.mp3"});
    QCOMPARE(G().NumPesni, 1);
    QCOMPARE(G().Alboms.at(0).NumPesni, 1);
    QCOMPARE(frmForma().PlayList.ListIndex(), 1);
    QVERIFY(lib.env.windows.calls.isEmpty());
}

void TestSequencing::endOfAlbum_data() {
    QTest::addColumn<int>("albums");
    QTest::addColumn<int>("openAlbum");
    QTest::addColumn<int>("selected"); // lstAlbomy's selection when the song ends
    QTest::addColumn<bool>("shown");
    QTest::addColumn<bool>("nonStop");
    QTest::addColumn<QString>("played"); // empty: nothing
    QTest::addColumn<int>("selectedAfter");
    QTest::addColumn<bool>("listWindow");
    QTest::addColumn<bool>("focusList");

    // Remembered songs: a 0, b 1, c 0.
    QTest::newRow("shown: next album from its remembered song")
        << 3 << 0 << 0 << true << false << "E:/m/b/2.mp3" << 1 << false << true;
    QTest::newRow("hidden: album list window, nothing plays")
        << 3 << 0 << 0 << false << false << "" << 0 << true << false;
    QTest::newRow("hidden, non-stop: next album")
        << 3 << 0 << 0 << false << true << "E:/m/b/2.mp3" << 1 << false << false;
    QTest::newRow("shown, non-stop: next album")
        << 3 << 0 << 0 << true << true << "E:/m/b/2.mp3" << 1 << false << false;
    QTest::newRow("last album wraps to the first")
        << 3 << 2 << 2 << true << false << "E:/m/a/1.mp3" << 0 << false << true;
    QTest::newRow("selection moved: the album after it")
        << 3 << 0 << 1 << true << false << "E:/m/c/1.mp3" << 2 << false << true;
    QTest::newRow("selection moved to the one before: open album again")
        << 3 << 0 << 2 << true << false << "E:/m/a/1.mp3" << 0 << false << true;
    QTest::newRow("one album, shown, repeats")
        << 1 << 0 << 0 << true << false << "E:/m/a/1.mp3" << 0 << false << false;
    QTest::newRow("one album, hidden, repeats")
        << 1 << 0 << 0 << false << false << "E:/m/a/1.mp3" << 0 << false << false;
    QTest::newRow("one album, hidden, non-stop, repeats")
        << 1 << 0 << 0 << false << true << "E:/m/a/1.mp3" << 0 << false << false;
}

void TestSequencing::endOfAlbum() {
    QFETCH(int, albums);
    QFETCH(int, openAlbum);
    QFETCH(int, selected);
    QFETCH(bool, shown);
    QFETCH(bool, nonStop);
    QFETCH(QString, played);
    QFETCH(int, selectedAfter);
    QFETCH(bool, listWindow);
    QFETCH(bool, focusList);
    Library lib;
    const QStringList names{"a", "b", "c"};
    for (int i = 0; i < albums; ++i)
        lib.write(names.at(i), 2);
    lib.refresh(QList<int>{0, 1, 0}.mid(0, albums));
    lib.open(openAlbum, 1);
    const QStringList openSongs = frmForma().ListPath;
    if (albums == 1)
        lib.remove("a"); // a repeat must not read the album again
    frmForma().lstAlbomy.setListIndex(selected);
    G().ShowForm = shown;
    frmForma().setVisible(shown);
    frmForma().MusicNonStop.setChecked(nonStop);
    QSignalSpy focus(&frmForma(), &Forma::focusRequested);

    EndTimeM();

    QVERIFY(lib.env.dialogs.msgs.isEmpty());
    QCOMPARE(frmForma().lstAlbomy.ListIndex(), selectedAfter);
    QCOMPARE(lib.env.windows.calls.contains("showListAlbom"), listWindow);
    const bool focused =
        !focus.isEmpty() && focus.last().at(0).value<Forma::Control>() == Forma::Control::lstAlbomy;
    QCOMPARE(focused, focusList);
    // The album that ended starts from its first song next time.
    QCOMPARE(G().Alboms.at(openAlbum).NumPesni, 0);
    if (played.isEmpty()) {
        QVERIFY(lib.urls().isEmpty());
        QCOMPARE(G().NumPesni, 0);
        QCOMPARE(frmForma().ListPath, openSongs);
        QCOMPARE(G().ShowForm, shown);
        return;
    }
    QCOMPARE(lib.urls(), QStringList{"url:" + played});
    QCOMPARE(G().NumAlbom, selectedAfter);
    QCOMPARE(G().NameAlbom, names.at(selectedAfter) + ".alb");
    QCOMPARE(frmForma().ListPath.size(), 2);
    QVERIFY(frmForma().ListPath.at(0).endsWith(songPaths(names.at(selectedAfter), 1).first()));
}

void TestSequencing::nothingToGoOn_data() {
    QTest::addColumn<int>("numPesni");
    QTest::addColumn<bool>("emptyList");
    QTest::addColumn<int>("selected");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<bool>("windowShown");

    QTest::newRow("no current song") << -1 << false << 0 << true << false;
    QTest::newRow("empty playlist") << 0 << true << 0 << true << false;
    QTest::newRow("no album selected, non-stop, hidden") << 1 << false << -1 << false << true;
    QTest::newRow("no album selected, shown") << 1 << false << -1 << true << true;
}

void TestSequencing::nothingToGoOn() {
    QFETCH(int, numPesni);
    QFETCH(bool, emptyList);
    QFETCH(int, selected);
    QFETCH(bool, shown);
    QFETCH(bool, windowShown);
    Library lib;
    lib.write("a", 2);
    lib.write("b", 2);
    lib.refresh({0, 0});
    lib.open(0, 1);
    if (emptyList) {
        frmForma().ListPath.clear();
        frmForma().PlayList.Clear();
    }
    G().NumPesni = numPesni;
    frmForma().lstAlbomy.setListIndex(selected);
    frmForma().MusicNonStop.setChecked(true);
    G().ShowForm = shown;
    frmForma().setVisible(shown);
    QSignalSpy activated(&frmForma(), &Forma::activateRequested);

    EndTimeM();

    QVERIFY(lib.env.player.calls.isEmpty());
    QVERIFY(lib.env.windows.calls.isEmpty());
    QVERIFY(lib.env.dialogs.msgs.isEmpty());
    QCOMPARE(G().NameAlbom, QString("a.alb"));
    QCOMPARE(frmForma().lstAlbomy.ListIndex(), selected);
    QCOMPARE(activated.count(), windowShown ? 1 : 0);
    if (windowShown) {
        QVERIFY(G().ShowForm);
        QVERIFY(frmForma().Visible());
    }
}

void TestSequencing::missingNextAlbum() {
    Library lib;
    lib.write("a", 2);
    lib.write("b", 2);
    lib.write("c", 2);
    lib.refresh({0, 1, 0});
    lib.open(0, 1);
    const QStringList openSongs = frmForma().ListPath;
    lib.remove("b");

    EndTimeM();

    QCOMPARE(lib.env.dialogs.msgs.size(), 1);
    QCOMPARE(lib.env.dialogs.msgs.first().prompt, QString("is not found."));
    QCOMPARE(frmForma().lstAlbomy.ListIndex(), 1);
    QCOMPARE(frmForma().ListPath, openSongs);
    QCOMPARE(frmForma().PlayList.ListCount(), 2);
    QCOMPARE(G().NameAlbom, QString("a.alb"));
    QVERIFY(lib.urls().isEmpty());
    QVERIFY(!frmForma().tmrEndSound.isActive());
}

void TestSequencing::controlBarStopMovesOn() {
    Library lib;
    lib.write("a", 3);
    lib.refresh({0});
    lib.open(0, 0);
    connectPlayback();
    // The control bar's own stop, in the middle of the song.
    lib.env.player.setCurrentPosition(30);
    lib.env.player.stop();
    QVERIFY(frmForma().tmrEndSound.isActive());
    lib.env.player.calls.clear();
    tmrEndSound_Timer();
    QCOMPARE(lib.urls(), QStringList{"url:E:/m/a/2.mp3"});
    QCOMPARE(lib.env.player.playState(), int(MediaPlayer::Playing));
}

void TestSequencing::songsRemovedBehindCurrent_data() {
    QTest::addColumn<int>("albums");
    QTest::addColumn<QString>("played");
    QTest::newRow("several albums: the next one") << 2 << "E:/m/b/1.mp3";
    QTest::newRow("one album: from its start") << 1 << "E:/m/a/1.mp3";
}

void TestSequencing::songsRemovedBehindCurrent() {
    QFETCH(int, albums);
    QFETCH(QString, played);
    Library lib;
    lib.write("a", 4);
    if (albums > 1)
        lib.write("b", 2);
    lib.refresh(QList<int>{0, 0}.mid(0, albums));
    lib.open(0, 3);
    // The last two songs are removed while the fourth plays.
    frmForma().ListPath.removeLast();
    frmForma().ListPath.removeLast();
    UpDatePlayListM();

    EndTimeM();

    QCOMPARE(lib.urls(), QStringList{"url:" + played});
    QVERIFY(lib.env.dialogs.msgs.isEmpty());
    QCOMPARE(G().NumPesni, 0);
}

void TestSequencing::undecodableFileMovesOn() {
    Library lib;
    lib.write("a", 3);
    lib.refresh({0});
    BrokenPlayer player;
    player.broken << "E:/m/a/2.mp3";
    P().player = &player;
    connectPlayback();
    lib.open(0, 0);
    player.calls.clear();

    player.finish();
    tmrEndSound_Timer();
    QCOMPARE(player.URL(), QString("E:/m/a/2.mp3"));
    QCOMPARE(G().NumPesni, 1);
    // The broken file stops at once and arms the timer like any song end.
    QVERIFY(frmForma().tmrEndSound.isActive());
    tmrEndSound_Timer();

    QCOMPARE(player.calls.filter("url:"), QStringList({"url:E:/m/a/2.mp3", "url:E:/m/a/3.mp3"}));
    QCOMPARE(player.playState(), int(MediaPlayer::Playing));
    QCOMPARE(G().NumPesni, 2);
    QVERIFY(lib.env.dialogs.msgs.isEmpty());
    P().player = &lib.env.player;
}

void TestSequencing::songChosenAfterEndIsKept_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<bool>("armedAfter");
    QTest::newRow("playable song") << "E:/m/a/1.mp3" << false;
    QTest::newRow("undecodable song moves on") << "E:/m/a/3.mp3" << true;
}

// A song ends and, within the second before the tick, the user starts
// another one: the tick must not skip past the song the user chose.
void TestSequencing::songChosenAfterEndIsKept() {
    QFETCH(QString, chosen);
    QFETCH(bool, armedAfter);
    Library lib;
    lib.write("a", 3);
    lib.refresh({0});
    BrokenPlayer player;
    player.broken << "E:/m/a/3.mp3";
    P().player = &player;
    connectPlayback();
    lib.open(0, 1);
    player.finish();
    QVERIFY(frmForma().tmrEndSound.isActive());

    const int row = chosen.endsWith("1.mp3") ? 0 : 2;
    frmForma().PlayList.setListIndex(row);
    PlayList_DblClick();

    QCOMPARE(player.URL(), chosen);
    QCOMPARE(frmForma().tmrEndSound.isActive(), armedAfter);
    QCOMPARE(G().NumPesni, row);
    P().player = &lib.env.player;
}

void TestSequencing::timerTickDisarms() {
    LogicEnv env;
    frmForma().tmrEndSound.start();
    tmrEndSound_Timer();
    QVERIFY(!frmForma().tmrEndSound.isActive());
    QVERIFY(env.player.calls.isEmpty());
}

void TestSequencing::timerTimeoutRunsEndTime() {
    Library lib;
    lib.write("a", 2);
    lib.refresh({0});
    lib.open(0, 0);
    connectPlayback();
    QCOMPARE(frmForma().tmrEndSound.interval(), 1000);
    frmForma().tmrEndSound.start();
    // The tick itself, without waiting a second for it.
    QVERIFY(QMetaObject::invokeMethod(&frmForma().tmrEndSound, "timeout"));
    QVERIFY(!frmForma().tmrEndSound.isActive());
    QCOMPARE(lib.urls(), QStringList{"url:E:/m/a/2.mp3"});
}

void TestSequencing::nonStopSwitch_data() {
    QTest::addColumn<bool>("musicBefore");
    QTest::addColumn<bool>("trayBefore");
    QTest::addColumn<bool>("fromTray");
    QTest::addColumn<bool>("after");

    QTest::newRow("main menu ticks both") << false << false << false << true;
    QTest::newRow("main menu unticks both") << true << true << false << false;
    QTest::newRow("tray menu ticks both") << false << false << true << true;
    QTest::newRow("tray menu unticks both") << true << true << true << false;
    // The main menu's tick is the option; the tray item follows it.
    QTest::newRow("out of step, tray follows main") << false << true << true << true;
}

void TestSequencing::nonStopSwitch() {
    QFETCH(bool, musicBefore);
    QFETCH(bool, trayBefore);
    QFETCH(bool, fromTray);
    QFETCH(bool, after);
    LogicEnv env;
    frmForma().MusicNonStop.setChecked(musicBefore);
    frmForma().pMenuNonStop.setChecked(trayBefore);
    if (fromTray)
        pMenuNonStop_Click();
    else
        MusicNonStop_Click();
    QCOMPARE(frmForma().MusicNonStop.Checked(), after);
    QCOMPARE(frmForma().pMenuNonStop.Checked(), after);
}

QTEST_GUILESS_MAIN(TestSequencing)
#include "tst_sequencing.moc"
