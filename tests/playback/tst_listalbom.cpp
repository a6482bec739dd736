// The album-list window offered at the end of an album in the tray, and the
// tray menu's way to the main window's album list.
#include "PlaybackKit.h"

#include "core/Forma.h"
#include "playback/Sequence.h"

#include <QFile>
#include <QSignalSpy>

using namespace tv;
using namespace tv::test;

namespace {

// Album a open and playing its last song, the main window hidden in the
// tray, non-stop off; unless told otherwise the song has ended, and so the
// album.
struct AtTheEnd : Shelf {
    explicit AtTheEnd(bool ended = true) {
        open(0, 1);
        showForma(false);
        if (ended)
            endAlbum();
    }

    // The last song ends; a second later the tick.
    void endAlbum() {
        player.finish();
        tmrEndSound_Timer();
    }
};

// One way of leaving the window or not: the row chosen; how ("double-click",
// "close" its button, "key <code>" pressed here, "up <code>" let go only;
// "twice": while the window hides, another row double-clicked and Escape);
// the answer to the save question (0: the album is unchanged); the album files
// added before the pick (a save then rebuilds the list around them); what
// plays after; the open album; whether the window stays up.
struct PickCase {
    int row;
    QString way;
    int answer;
    QString added, played, open;
    bool stays = false;
};

} // namespace

Q_DECLARE_METATYPE(PickCase)

class TestListAlbom : public QObject {
    Q_OBJECT
private slots:
    void leavingTheWindow_data() {
        columns<PickCase>("c");
        row("another album, remembered song", PickCase{1, "double-click", 0, "", "b/2", "b.alb"});
        // Pending events run while the window hides and while the album loads:
        // a second pick or a close in that moment changes nothing.
        row("a second command meanwhile", PickCase{1, "double-click twice", 0, "", "b/2", "b.alb"});
        // a.alb is gone from the disk: the album is not read again.
        row("the finished album, its first song", PickCase{0, "key 13", 0, "", "a/1", "a.alb"});
        row("Escape: nothing plays", PickCase{1, "key 27", 0, "", "", "a.alb"});
        row("close button: nothing plays", PickCase{1, "close", 0, "", "", "a.alb"});
        row("Cancel in the save question", PickCase{1, "double-click", vbCancel, "", "", "a.alb"});
        // The save lists 0.alb before the others: the rows of the window
        // no longer match the album list, the picked album plays all the same.
        row("saved: another album", PickCase{1, "double-click", vbYes, "0.alb", "b/2", "b.alb"});
        row("saved: finished album", PickCase{0, "double-click", vbYes, "0.alb", "a/1", "a.alb"});
        // Keys that do not pick, a double-click with no row selected.
        row("Enter pressed elsewhere", PickCase{1, "up 13", 0, "", "", "a.alb", true});
        row("a letter", PickCase{1, "key 66", 0, "", "", "a.alb", true});
        row("double-click beside the rows", PickCase{-1, "double-click", 0, "", "", "a.alb", true});
    }
    void leavingTheWindow() {
        QFETCH(PickCase, c);
        AtTheEnd s;
        ListAlbomModel *w = frmListAlbom();
        QVERIFY(w);
        QSignalSpy hidden(w, &ListAlbomModel::hideRequested);
        QSignalSpy unloaded(w, &ListAlbomModel::unloadRequested);
        G().AlbomChanged = int(c.answer != 0);
        s.dialogs.answers << c.answer;
        if (!c.added.isEmpty())
            s.drives.put(s.app(c.added), albumFile(" 0 ", {}));
        if (c.row == 0)
            QVERIFY(QFile::remove(s.drives.native(s.app("a.alb"))));
        // The window is hidden before the question and before anything plays.
        s.dialogs.onMsg = [&](const MsgCall &) { QCOMPARE(hidden.size(), 1); };

        w->List1.setListIndex(c.row);
        if (c.way.endsWith("twice"))
            s.events.pending = [w] {
                w->List1.setListIndex(2);
                w->List1_DblClick();
                w->List1_KeyDown();
                w->List1_KeyUp(27);
            };
        if (c.way.startsWith("double-click"))
            w->List1_DblClick();
        else if (c.way == "close")
            w->unload();
        else if (c.way.startsWith("key"))
            w->List1_KeyDown();
        if (c.way.contains(' '))
            w->List1_KeyUp(c.way.section(' ', 1).toInt());

        QCOMPARE(s.played(), c.played);
        QCOMPARE(G().NameAlbom, c.open);
        QCOMPARE(frmForma().lstAlbomy.List(G().NumAlbom), c.open);
        QCOMPARE(frmForma().lstAlbomy.List(frmForma().lstAlbomy.ListIndex()), c.open);
        QCOMPARE(w->AlbomChosen, !c.played.isEmpty());
        QCOMPARE(s.dialogs.msgs.size(), c.answer ? 1 : 0);
        QCOMPARE(G().AlbomChanged, c.answer == vbCancel ? 1 : 0);
        // Every way out closes the window, once; the main window stays in the tray.
        if (c.stays)
            QVERIFY(hidden.isEmpty());
        QCOMPARE(unloaded.size(), int(!c.stays));
        QCOMPARE(frmListAlbom(), c.stays ? w : nullptr);
        QVERIFY(!G().ShowForm && !frmForma().Visible());
        QVERIFY(s.player.calls.filter("stop").isEmpty());
        // The tray names the song that was started.
        const QString song = c.played.endsWith('1') ? "1.One" : "2.Two";
        QCOMPARE(s.tray.calls,
                 c.played.isEmpty() ? QStringList() : QStringList{"tip:" + song + " - " + c.open});
    }

    // Closed without a pick: what the player and the main window do. (Right
    // after the end of an album nothing plays: leavingTheWindow's close row.)
    void closingWithoutAPick_data() {
        // numPesni, shown, the player's state; after: the song played, main window shown
        columns<int, bool, int, QString, bool>("numPesni", "shown", "state", "played", "after");
        row("player with nothing loaded", 1, false, int(MediaPlayer::Undefined), "a/2", false);
        row("no song, main window hidden", -1, false, int(MediaPlayer::Stopped), "", true);
        row("no song, main window shown", -1, true, int(MediaPlayer::Stopped), "", true);
    }
    void closingWithoutAPick() {
        QFETCH(int, numPesni);
        QFETCH(bool, shown);
        QFETCH(int, state);
        AtTheEnd s;
        ListAlbomModel *w = frmListAlbom();
        G().NumPesni = numPesni;
        showForma(shown);
        s.player.force(state);
        QSignalSpy hidden(w, &ListAlbomModel::hideRequested);
        // The window is off the screen before the main window comes back.
        bool hiddenFirst = true;
        connect(&frmForma(), &Forma::visibilityRequested, this,
                [&](bool visible) { hiddenFirst = !visible || hidden.size() == 1; });
        w->unload();
        QTEST(s.played(), "played");
        QTEST(G().ShowForm, "after");
        QTEST(frmForma().Visible(), "after");
        QVERIFY(hiddenFirst);
        QVERIFY(!frmListAlbom());
        // Unloaded once: a second close does nothing more.
        s.player.calls.clear();
        w->unload();
        QCOMPARE(s.player.calls, QStringList());
    }

    // The window comes up at the end of the album with the finished one
    // selected, and nothing plays until the user picks. A second end of an
    // album while the window is up keeps the one window; once it has closed,
    // the next end shows a fresh one.
    void oneWindowAtATime() {
        AtTheEnd s;
        QCOMPARE(s.listWindows.calls, QStringList{"showListAlbom"});
        ListAlbomModel *w = frmListAlbom();
        QCOMPARE(w, s.listWindows.models[0].get());
        QCOMPARE(w->List1.items(), QStringList({"a.alb", "b.alb", "c.alb"}));
        QCOMPARE(w->List1.ListIndex(), 0);
        QVERIFY(!w->AlbomChosen);
        QCOMPARE(s.played(), QString());
        QVERIFY(!G().ShowForm && !frmForma().Visible());
        QCOMPARE(G().NumPesni, 0);
        w->List1.setListIndex(2);
        // From the tray's "Список альбомов" the user plays the last song of
        // b in the main window and hides it again; b ends too.
        frmForma().lstAlbomy.setListIndex(1);
        OpenAlbomM(QStringLiteral("b.alb"));
        G().ShowForm = false;
        s.endAlbum();
        QCOMPARE(s.listWindows.calls, QStringList{"showListAlbom"});
        QCOMPARE(frmListAlbom()->List1.ListIndex(), 2);

        frmListAlbom()->List1_KeyDown();
        frmListAlbom()->List1_KeyUp(27);
        QVERIFY(!frmListAlbom());
        NewPlayM(1);
        s.endAlbum();
        QCOMPARE(s.listWindows.calls, QStringList({"showListAlbom", "showListAlbom"}));
        QCOMPARE(frmListAlbom(), s.listWindows.models.back().get());
        QCOMPARE(frmListAlbom()->List1.ListIndex(), 1);
    }

    void trayItemShowsTheMainAlbumList() {
        AtTheEnd s(false);
        QStringList seen;
        connect(&frmForma(), &Forma::visibilityRequested, this,
                [&](bool v) { seen << QString("visible:%1").arg(int(v)); });
        connect(&frmForma(), &Forma::activateRequested, this, [&] { seen << "activate"; });
        connect(&frmForma(), &Forma::focusRequested, this, [&](Forma::Control c) {
            seen << (c == Forma::Control::lstAlbomy ? "focus:lstAlbomy" : "focus:PlayList");
        });
        s.events.pending = [&] { seen << "events"; };
        pMenuListAlbom_Click();
        QCOMPARE(seen, QStringList({"visible:1", "events", "activate", "focus:lstAlbomy"}));
        QVERIFY(G().ShowForm);
        QVERIFY(s.listWindows.calls.isEmpty());
        QVERIFY(!frmListAlbom());
        QCOMPARE(s.played(), QString());
    }
};

QTEST_GUILESS_MAIN(TestListAlbom)
#include "tst_listalbom.moc"
