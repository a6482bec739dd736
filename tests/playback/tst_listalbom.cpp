// The album-list window offered at the end of an album in the tray, and the
// tray menu's way to the main window's album list.
#include "Fakes.h"

#include "core/AlbumCommands.h"
#include "core/AlbumFile.h"
#include "core/Forma.h"
#include "core/Globals.h"
#include "playback/ListAlbomModel.h"
#include "playback/NewPlayM.h"
#include "playback/PlayerCommands.h"
#include "playback/Sequencing.h"

#include <QFile>
#include <QSignalSpy>
#include <memory>

using namespace tv;
using namespace tv::test;

namespace {

// The window layer as the real one behaves: showing the album-list window
// builds its model, which lives until the window unloads.
class ListWindows : public FakeWindows {
public:
    void showListAlbom() override {
        FakeWindows::showListAlbom();
        models.push_back(std::make_unique<ListAlbomModel>());
    }
    std::vector<std::unique_ptr<ListAlbomModel>> models;
};

// Albums a, b, c in AppDir, two songs each ("One" E:/m/<x>/1.mp3, "Two"
// .../2.mp3), b remembering its second song. Album a is open and playing its
// last song, the main window is hidden in the tray, non-stop is off.
struct Shelf {
    LogicEnv env;
    ListWindows windows; // after env: it goes first, before the main window

    Shelf() {
        P().windows = &windows;
        G().strTitle = QStringLiteral("Tonvela for MP3");
        G().strNotFound = QStringLiteral("is not found.");
        for (const char *name : {"a", "b", "c"}) {
            const QString dir = QStringLiteral("E:/m/%1/").arg(name);
            env.drives.put(dir + "1.mp3");
            env.drives.put(dir + "2.mp3");
            env.drives.put(env.app(QString(name) + ".alb"),
                           albumFile(" 2 ", {"One" + dir + "1.mp3", "Two" + dir + "2.mp3"}));
        }
        LoadAlbomInfoM();
        G().Alboms[1].NumPesni = 1;
        connectPlayback();
        frmForma().lstAlbomy.setListIndex(0);
        OpenAlbomM(QStringLiteral("a.alb"));
        NewPlayM(1);
        G().ShowForm = false;
        frmForma().setVisible(false);
        env.player.calls.clear();
        env.tray.calls.clear();
    }

    // The last song ends; a second later the tick.
    void endAlbum() {
        env.player.finish();
        tmrEndSound_Timer();
    }

    ListAlbomModel *window() { return windows.models.empty() ? nullptr : windows.models[0].get(); }

    // The songs handed to the player since the album ended: "b/2" each.
    QString played() const {
        QStringList songs;
        for (const QString &call : env.player.calls.filter("url:"))
            songs << call.mid(QStringLiteral("url:E:/m/").size()).chopped(4);
        return songs.join(' ');
    }
};

enum class Way { DblClick, Enter, Escape, CloseButton };

// One way of leaving the window: the row chosen, how, the answer to the
// save question (0: the album is unchanged), the album files added before
// the pick (a save then rebuilds the list around them), what plays after and
// the open album.
struct PickCase {
    int row;
    Way way;
    int answer;
    QString added, played, open;
};

} // namespace

Q_DECLARE_METATYPE(PickCase)

class TestListAlbom : public QObject {
    Q_OBJECT
private slots:
    // The window as it comes up at the end of the album.
    void loadsTheAlbumsWithTheFinishedOneSelected() {
        Shelf s;
        frmForma().setLabel1(QStringLiteral("List of playlist"));
        s.endAlbum();
        QCOMPARE(s.windows.calls, QStringList{"showListAlbom"});
        ListAlbomModel *w = frmListAlbom();
        QCOMPARE(w, s.window());
        QCOMPARE(w->List1.items(), QStringList({"a.alb", "b.alb", "c.alb"}));
        QCOMPARE(w->List1.ListIndex(), 0);
        QCOMPARE(w->Caption(), QStringLiteral("List of playlist"));
        QVERIFY(!w->AlbomChosen);
        // Nothing plays until the user picks; the main window stays hidden.
        QCOMPARE(s.played(), QString());
        QVERIFY(!G().ShowForm && !frmForma().Visible());
        QCOMPARE(G().NumPesni, 0);
    }

    void leavingTheWindow_data() {
        columns<PickCase>("c");
        row("another album plays its remembered song",
            PickCase{1, Way::DblClick, 0, "", "b/2", "b.alb"});
        row("Enter on another album", PickCase{2, Way::Enter, 0, "", "c/1", "c.alb"});
        // a.alb is gone from the disk: the album is not read again.
        row("the finished album again from its first song",
            PickCase{0, Way::Enter, 0, "", "a/1", "a.alb"});
        row("Escape: nothing plays", PickCase{1, Way::Escape, 0, "", "", "a.alb"});
        row("close button: nothing plays", PickCase{1, Way::CloseButton, 0, "", "", "a.alb"});
        row("Cancel in the save question", PickCase{1, Way::DblClick, vbCancel, "", "", "a.alb"});
        row("No in the save question", PickCase{1, Way::Enter, vbNo, "", "b/2", "b.alb"});
        // The save lists 0.alb before the others: the rows of the window
        // no longer match the album list, the picked album plays all the same.
        row("saved, list rebuilt: another album",
            PickCase{1, Way::DblClick, vbYes, "0.alb", "b/2", "b.alb"});
        row("saved, list rebuilt: the finished album",
            PickCase{0, Way::DblClick, vbYes, "0.alb", "a/1", "a.alb"});
    }
    void leavingTheWindow() {
        QFETCH(PickCase, c);
        Shelf s;
        s.endAlbum();
        ListAlbomModel *w = frmListAlbom();
        QVERIFY(w);
        QSignalSpy hidden(w, &ListAlbomModel::hideRequested);
        QSignalSpy unloaded(w, &ListAlbomModel::unloadRequested);
        if (c.answer) {
            G().AlbomChanged = 1;
            s.env.dialogs.answers << c.answer;
        }
        if (!c.added.isEmpty())
            s.env.drives.put(s.env.app(c.added), albumFile(" 0 ", {}));
        if (c.row == 0)
            QVERIFY(QFile::remove(s.env.drives.native(s.env.app("a.alb"))));
        // The window is hidden before the question and before anything plays.
        s.env.dialogs.onMsg = [&](const MsgCall &) { QCOMPARE(hidden.size(), 1); };

        w->List1.setListIndex(c.row);
        switch (c.way) {
        case Way::DblClick:
            w->List1_DblClick();
            break;
        case Way::Enter:
            w->List1_KeyDown();
            w->List1_KeyUp(13);
            break;
        case Way::Escape:
            w->List1_KeyDown();
            w->List1_KeyUp(27);
            break;
        case Way::CloseButton:
            w->unload();
            break;
        }

        QCOMPARE(s.played(), c.played);
        QCOMPARE(G().NameAlbom, c.open);
        QCOMPARE(frmForma().lstAlbomy.List(G().NumAlbom), c.open);
        QCOMPARE(frmForma().lstAlbomy.List(frmForma().lstAlbomy.ListIndex()), c.open);
        QCOMPARE(w->AlbomChosen, !c.played.isEmpty());
        QCOMPARE(s.env.dialogs.msgs.size(), c.answer ? 1 : 0);
        QCOMPARE(G().AlbomChanged, c.answer == vbCancel ? 1 : 0);
        // Every way closes the window, once; the main window stays in the tray.
        QCOMPARE(unloaded.size(), 1);
        QVERIFY(!frmListAlbom());
        QVERIFY(!G().ShowForm && !frmForma().Visible());
        QVERIFY(s.env.player.calls.filter("stop").isEmpty());
        // The tray names the song that was started.
        const QString song = c.played.endsWith('1') ? "1.One" : "2.Two";
        QCOMPARE(s.env.tray.calls,
                 c.played.isEmpty() ? QStringList() : QStringList{"tip:" + song + " - " + c.open});
    }

    // Keys that do not pick: an Enter whose key went down in another window,
    // other keys, a double-click with no row selected.
    void keepsTheWindowWithoutAPick_data() {
        columns<int, int>("row", "key"); // key 0: a double-click
        row("Enter pressed elsewhere", 1, -13);
        row("a letter", 1, int('B'));
        row("arrow down", 0, 40);
        row("double-click beside the rows", -1, 0);
        row("Enter with no row", -1, 13);
    }
    void keepsTheWindowWithoutAPick() {
        QFETCH(int, row);
        QFETCH(int, key);
        Shelf s;
        s.endAlbum();
        ListAlbomModel *w = frmListAlbom();
        QSignalSpy hidden(w, &ListAlbomModel::hideRequested);
        w->List1.setListIndex(row);
        if (key == 0) {
            w->List1_DblClick();
        } else {
            if (key > 0)
                w->List1_KeyDown();
            w->List1_KeyUp(qAbs(key));
        }
        QCOMPARE(s.played(), QString());
        QCOMPARE(hidden.size(), 0);
        QCOMPARE(frmListAlbom(), w);
        QCOMPARE(w->List1.ListCount(), 3);
    }

    // Closed without a pick: what the player and the main window do.
    void closingWithoutAPick_data() {
        // numPesni, shown, the player's state; after: the song played, main window shown
        columns<int, bool, int, QString, bool>("numPesni", "shown", "state", "played", "after");
        row("after the end of an album", 0, false, int(MediaPlayer::Stopped), QString(), false);
        row("player with nothing loaded", 1, false, int(MediaPlayer::Undefined), QString("a/2"),
            false);
        row("no song, main window hidden", -1, false, int(MediaPlayer::Stopped), QString(), true);
        row("no song, main window shown", -1, true, int(MediaPlayer::Stopped), QString(), true);
    }
    void closingWithoutAPick() {
        QFETCH(int, numPesni);
        QFETCH(bool, shown);
        QFETCH(int, state);
        Shelf s;
        s.endAlbum();
        ListAlbomModel *w = frmListAlbom();
        G().NumPesni = numPesni;
        G().ShowForm = shown;
        frmForma().setVisible(shown);
        s.env.player.force(state);
        s.env.player.calls.clear();
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
        s.env.player.calls.clear();
        w->unload();
        QCOMPARE(s.env.player.calls, QStringList());
    }

    // A second end of an album while the window is up keeps the one window;
    // once it has closed, the next end shows a fresh one.
    void oneWindowAtATime() {
        Shelf s;
        s.endAlbum();
        frmListAlbom()->List1.setListIndex(2);
        // From the tray's "Список альбомов" the user plays the last song of
        // b in the main window and hides it again; b ends too.
        frmForma().lstAlbomy.setListIndex(1);
        OpenAlbomM(QStringLiteral("b.alb"));
        G().ShowForm = false;
        s.endAlbum();
        QCOMPARE(s.windows.calls, QStringList{"showListAlbom"});
        QCOMPARE(frmListAlbom()->List1.ListIndex(), 2);

        frmListAlbom()->List1_KeyDown();
        frmListAlbom()->List1_KeyUp(27);
        QVERIFY(!frmListAlbom());
        NewPlayM(1);
        s.endAlbum();
        QCOMPARE(s.windows.calls, QStringList({"showListAlbom", "showListAlbom"}));
        QCOMPARE(frmListAlbom(), s.windows.models.back().get());
        QCOMPARE(frmListAlbom()->List1.ListIndex(), 1);
    }

    // Pending events run while the window hides and while the album loads:
    // a second pick or a close in that moment changes nothing.
    void aSecondCommandDuringThePick() {
        Shelf s;
        s.endAlbum();
        ListAlbomModel *w = frmListAlbom();
        QSignalSpy unloaded(w, &ListAlbomModel::unloadRequested);
        w->List1.setListIndex(1);
        s.env.events.pending = [w] {
            w->List1.setListIndex(2);
            w->List1_DblClick();
            w->List1_KeyDown();
            w->List1_KeyUp(27);
        };
        w->List1_DblClick();
        QCOMPARE(s.played(), QString("b/2"));
        QCOMPARE(unloaded.size(), 1);
    }

    void trayItemShowsTheMainAlbumList() {
        Shelf s;
        QStringList seen;
        connect(&frmForma(), &Forma::visibilityRequested, this,
                [&](bool v) { seen << QString("visible:%1").arg(int(v)); });
        connect(&frmForma(), &Forma::activateRequested, this, [&] { seen << "activate"; });
        connect(&frmForma(), &Forma::focusRequested, this, [&](Forma::Control c) {
            seen << (c == Forma::Control::lstAlbomy ? "focus:lstAlbomy" : "focus:PlayList");
        });
        s.env.events.pending = [&] { seen << "events"; };
        pMenuListAlbom_Click();
        QCOMPARE(seen, QStringList({"visible:1", "events", "activate", "focus:lstAlbomy"}));
        QVERIFY(G().ShowForm);
        QVERIFY(s.windows.calls.isEmpty());
        QVERIFY(!frmListAlbom());
        QCOMPARE(s.played(), QString());
    }
};

QTEST_GUILESS_MAIN(TestListAlbom)
#include "tst_listalbom.moc"
