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

// Albums a, b, c (the first `albums` of them) on disk and in the registry, as
// the album list refresh leaves them: 2 songs each, E:/m/<name>/1.mp3 and
// 2.mp3; the remembered songs are a 0, b 1, c 0.
struct Library {
    LogicEnv env;
    QStringList names;

    explicit Library(int albums) : names(QStringList{"a", "b", "c"}.mid(0, albums)) {
        G().strNotFound = QStringLiteral("is not found.");
        for (const QString &name : names) {
            QStringList lines{TextLines::number(2)};
            for (int i = 1; i <= 2; ++i) {
                const QString path = QStringLiteral("E:/m/%1/%2.mp3").arg(name).arg(i);
                env.drives.put(path);
                lines << QStringLiteral("Title ") + path;
            }
            env.drives.put(env.app(name + ".alb"), TextLines::encode(lines));
        }
        LoadAlbomInfoM();
        if (albums > 1)
            G().Alboms[1].NumPesni = 1;
    }

    // Opens album i as a double-click in the album list would, then starts
    // song `song` of it; the logs start empty afterwards.
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

// A player that cannot decode some files: it reports stopped at once, as the
// real one does on a decoding error.
class BrokenPlayer : public FakePlayer {
public:
    QStringList broken;
    void setURL(const QString &path) override {
        FakePlayer::setURL(path);
        if (broken.contains(path))
            force(Stopped);
    }
};

} // namespace

class TestSequencing : public QObject {
    Q_OBJECT
private slots:
    // A song ends (or the control bar's own stop is pressed: "bar stop");
    // the timer's tick a second later decides what comes next. Three albums
    // (or "one album"); the last song plays, or the first one with "first". flags
    // also hold "shown", "nonstop", "removed" (the last song was removed
    // while it played: NumPesni + 1 is beyond the count), "no song" (NumPesni
    // -1), "empty" (empty playlist) and "gone:<x>" (x.alb deleted before the
    // tick). then: what the user is shown besides the music.
    void endOfSong_data() {
        QTest::addColumn<int>("openAlbum");
        QTest::addColumn<int>("selected"); // lstAlbomy's selection when the song ends
        QTest::addColumn<QString>("flags");
        QTest::addColumn<QString>("played"); // empty: nothing
        QTest::addColumn<int>("selectedAfter");
        QTest::addColumn<QString>("then");
        const auto row = [](const char *name, int open, int selected, const char *flags,
                            const char *played, int after, const char *then) {
            QTest::newRow(name) << open << selected << QString(flags) << QString(played) << after
                                << QString(then);
        };
        row("next song", 0, 0, "first shown", "E:/m/a/2.mp3", 0, "");
        row("next song, hidden, non-stop, bar stop", 0, 0, "first nonstop bar stop", "E:/m/a/2.mp3",
            0, "");
        row("shown: next album from its remembered song", 0, 0, "shown", "E:/m/b/2.mp3", 1,
            "focus");
        row("hidden: album list window, nothing plays", 0, 0, "", "", 0, "list window");
        row("hidden, non-stop: next album", 0, 0, "nonstop", "E:/m/b/2.mp3", 1, "");
        row("shown, non-stop: next album", 0, 0, "shown nonstop", "E:/m/b/2.mp3", 1, "");
        row("last album wraps to the first", 2, 2, "shown", "E:/m/a/1.mp3", 0, "focus");
        row("selection moved: the album after it", 0, 1, "shown", "E:/m/c/1.mp3", 2, "focus");
        row("selection moved to the one before: open album again", 0, 2, "shown", "E:/m/a/1.mp3", 0,
            "focus");
        // A repeat must not read the album again.
        row("one album, hidden, repeats", 0, 0, "one album gone:a", "E:/m/a/1.mp3", 0, "");
        row("songs removed: next album", 0, 0, "nonstop removed", "E:/m/b/2.mp3", 1, "");
        row("songs removed, one album: from its start", 0, 0, "one album gone:a removed",
            "E:/m/a/1.mp3", 0, "");
        row("missing next album", 0, 0, "shown gone:b", "", 1, "focus, is not found.");
        row("no album selected, hidden, non-stop", 0, -1, "nonstop", "", -1, "window");
        row("no album selected, shown", 0, -1, "shown", "", -1, "focus, window");
        row("no current song", 0, 0, "shown no song", "", 0, "");
        row("empty playlist", 0, 0, "shown empty", "", 0, "");
    }
    void endOfSong() {
        QFETCH(int, openAlbum);
        QFETCH(int, selected);
        QFETCH(QString, flags);
        QFETCH(QString, played);
        QFETCH(int, selectedAfter);
        QFETCH(QString, then);
        Library lib(flags.contains("one album") ? 1 : 3);
        lib.open(openAlbum, flags.contains("first") ? 0 : 1);
        connectPlayback();
        Forma &f = frmForma();
        if (flags.contains("removed")) {
            f.ListPath.removeLast();
            UpDatePlayListM();
        }
        if (flags.contains("empty")) {
            f.ListPath.clear();
            f.PlayList.Clear();
        }
        if (flags.contains("no song"))
            G().NumPesni = -1;
        if (flags.contains("gone:")) {
            const QString gone = flags.mid(flags.indexOf("gone:") + 5, 1) + ".alb";
            QVERIFY(QFile::remove(lib.env.drives.native(lib.env.app(gone))));
        }
        const QStringList openSongs = f.ListPath;
        f.lstAlbomy.setListIndex(selected);
        G().ShowForm = flags.contains("shown");
        f.setVisible(G().ShowForm);
        f.MusicNonStop.setChecked(flags.contains("nonstop"));
        QSignalSpy focus(&f, &Forma::focusRequested);
        QSignalSpy activated(&f, &Forma::activateRequested);

        if (flags.contains("bar stop"))
            lib.env.player.stop();
        else
            lib.env.player.finish();
        QVERIFY(f.tmrEndSound.isActive());
        QVERIFY(lib.urls().isEmpty());
        // The tick itself, without waiting a second for it.
        QVERIFY(QMetaObject::invokeMethod(&f.tmrEndSound, "timeout"));
        QVERIFY(!f.tmrEndSound.isActive());

        QStringList seen;
        if (lib.env.windows.calls.contains("showListAlbom"))
            seen << "list window";
        if (!focus.isEmpty() &&
            focus.last().at(0).value<Forma::Control>() == Forma::Control::lstAlbomy)
            seen << "focus";
        if (!activated.isEmpty() && G().ShowForm && f.Visible())
            seen << "window";
        for (const MsgCall &msg : lib.env.dialogs.msgs)
            seen << msg.prompt;
        QCOMPARE(seen.join(", "), then);
        QCOMPARE(f.lstAlbomy.ListIndex(), selectedAfter);
        QCOMPARE(lib.urls(), played.isEmpty() ? QStringList{} : QStringList{"url:" + played});
        // The album that ended starts from its first song next time.
        const bool ended = !QRegularExpression("no song|empty|first").match(flags).hasMatch();
        QCOMPARE(G().Alboms.at(openAlbum).NumPesni, ended ? 0 : 1);
        if (played.isEmpty()) {
            QCOMPARE(f.ListPath, openSongs);
            QCOMPARE(G().NameAlbom, lib.names.at(openAlbum) + ".alb");
            return;
        }
        QCOMPARE(G().NumAlbom, selectedAfter);
        QCOMPARE(G().NameAlbom, lib.names.at(selectedAfter) + ".alb");
    }

    // A song ends and, within the second before the tick, the user starts
    // another one: the tick must not skip past the song the user chose. A
    // chosen file the player cannot decode stops at once and moves on.
    void songChosenAfterEndIsKept_data() {
        QTest::addColumn<bool>("broken");
        QTest::newRow("playable song") << false;
        QTest::newRow("undecodable song moves on") << true;
    }
    void songChosenAfterEndIsKept() {
        QFETCH(bool, broken);
        BrokenPlayer player; // outlives the ports that point to it
        Library lib(1);
        if (broken)
            player.broken << "E:/m/a/1.mp3";
        P().player = &player;
        connectPlayback();
        lib.open(0, 1);
        player.finish();
        QVERIFY(frmForma().tmrEndSound.isActive());

        frmForma().PlayList.setListIndex(0);
        PlayList_DblClick();

        QCOMPARE(player.URL(), QString("E:/m/a/1.mp3"));
        QCOMPARE(G().NumPesni, 0);
        QCOMPARE(frmForma().tmrEndSound.isActive(), broken);
        if (broken) {
            tmrEndSound_Timer();
            QCOMPARE(player.URL(), QString("E:/m/a/2.mp3"));
            QCOMPARE(player.playState(), int(MediaPlayer::Playing));
            QVERIFY(lib.env.dialogs.msgs.isEmpty());
        }
    }

    // Either item switches the option and ticks both; the main menu's tick is
    // the option, and the tray item follows it.
    void nonStopSwitch() {
        LogicEnv env;
        Forma &f = frmForma();
        MusicNonStop_Click();
        QVERIFY(f.MusicNonStop.Checked() && f.pMenuNonStop.Checked());
        pMenuNonStop_Click();
        QVERIFY(!f.MusicNonStop.Checked() && !f.pMenuNonStop.Checked());
        f.pMenuNonStop.setChecked(true);
        pMenuNonStop_Click();
        QVERIFY(f.MusicNonStop.Checked() && f.pMenuNonStop.Checked());
    }
};

QTEST_GUILESS_MAIN(TestSequencing)
#include "tst_sequencing.moc"
