// Commands that arrive while a routine lets pending events run: a second
// album command in that moment must leave the registry and the open album
// consistent, and the routine that yielded must not undo it.

#include "AlbumKit.h"

#include "core/AlbumCommands.h"
#include "playback/NewPlayM.h"

using namespace tv;
using namespace tv::test;

namespace {

// Runs the command at the n-th time events are let in from now on.
void atYield(FakeEvents &events, int n, std::function<void()> command) {
    if (n <= 1) {
        events.pending = std::move(command);
        return;
    }
    events.pending = [&events, n, command] { atYield(events, n - 1, command); };
}

void doubleClickAlbum(int row) {
    frmForma().lstAlbomy.setListIndex(row);
    lstAlbomy_DblClick();
}

} // namespace

class TestReentry : public QObject {
    Q_OBJECT
private slots:
    // While the player loads a song of a, the user double-clicks album b: b's
    // remembered song plays and stays recorded for b, not the song of a.
    void albumOpenedWhileASongLoads() {
        AlbumEnv env;
        env.openAlbum({"a.alb", "b.alb", "c.alb"}, 0, 3);
        G().Alboms[1].NumPesni = 2;
        atYield(env.events, 1, [] { doubleClickAlbum(1); });
        NewPlayM(1);
        QCOMPARE(openState(), "b.alb|1|1|0");
        QCOMPARE(registry(), "a.alb:0,b.alb:2,c.alb:0");
        QCOMPARE(G().NumPesni, 2);
        QCOMPARE(frmForma().PlayList.ListIndex(), 2);
        QCOMPARE(frmForma().nazvanie(), "3.Song 2");
        QCOMPARE(env.player.calls.count("play"), 1);
    }

    // Saving a as d rebuilds the album list; an album opened from the new
    // list in the middle of that stays the open one, with its own entry.
    void albumOpenedWhileTheListIsRebuilt_data() {
        // dSong: what d.alb remembers; once the save has recorded the song
        // playing, the album opened afterwards does not change that.
        columns<int, int>("yield", "dSong");
        row("before the rebuild", 1, 0);
        row("inside the rebuild", 2, 0);
        row("after the rebuild", 3, 2);
    }
    void albumOpenedWhileTheListIsRebuilt() {
        QFETCH(int, yield);
        QFETCH(int, dSong);
        AlbumEnv env;
        env.openAlbum({"a.alb", "b.alb", "c.alb"}, 0, 3);
        NewPlayM(2);
        G().Alboms[1].NumPesni = 1;
        // The row of b.alb in the list at that moment: d.alb sorts after it.
        atYield(env.events, yield, [] { doubleClickAlbum(1); });
        QVERIFY(SaveFileM("d.alb"));
        QCOMPARE(openState(), "b.alb|1|1|0");
        QCOMPARE(registry(), QStringLiteral("a.alb:2,b.alb:1,c.alb:0,d.alb:%1").arg(dSong));
        QCOMPARE(G().NumPesni, 1);
        QVERIFY(frmForma().Caption().endsWith(" - b.alb"));
        QCOMPARE(env.drives.get(env.app("d.alb")),
                 albumFile(" 3 ", {"Song 0C:/Music/0.mp3", "Song 1C:/Music/1.mp3",
                                   "Song 2C:/Music/2.mp3"}));
    }
};

QTEST_GUILESS_MAIN(TestReentry)
#include "tst_reentry.moc"
