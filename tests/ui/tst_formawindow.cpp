#include "WindowKit.h"

#include "ui/FormaWindow.h"

#include "playback/PlayerCommands.h"
#include "ui/PictureBox.h"
#include "ui/TitlePanel.h"

#include <QAction>
#include <QDropEvent>
#include <QListView>
#include <QMimeData>
#include <QSignalSpy>
#include <QUrl>

using namespace tv;
using namespace tv::test;
using ui::FormaWindow;

namespace {

// Sends a drag-enter and a drop of the urls to the playlist, as a file
// manager's drag does; true when the playlist took the drag.
bool drop(QListView *view, const QList<QUrl> &urls) {
    QMimeData data;
    data.setUrls(urls);
    const QPoint at = view->viewport()->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view->viewport(), &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent dropped(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view->viewport(), &dropped);
    return dropped.isAccepted();
}

} // namespace

class TestFormaWindow : public LogicTest {
    Q_OBJECT
    std::unique_ptr<FormaWindow> window;

    FormaWindow &w() { return *window; }
    QAction *act(const MenuItem &item) { return w().menus().action(item); }
    ui::TitlePanel *panel() { return w().picPanel(); }
    // The member shown on top (-1: two at once); the greyed one is always below.
    int top(ui::PictureButtonStack *stack) {
        auto shows = [&](int member) { return stack->member(member)->isVisibleTo(&w()); };
        return !shows(0) || (shows(1) && shows(2)) ? -1 : shows(2) ? 2 : shows(1) ? 1 : 0;
    }

    void setUp() override {
        window = std::make_unique<FormaWindow>();
        connectPlayback();
        QVERIFY(showActive(w()));
    }
    void tearDown() override { window.reset(); }

private slots:

    // Only the greyed member shows until the player reports a state; a click
    // lands on the member on top and only the raised one acts.
    void pictureButtonsFollowThePlayState_data() {
        // seen: the members on top of Play and Pause (0 greyed, 1 raised, 2
        // pressed), then the calls from clicking Play, then Pause.
        columns<QList<int>, QString>("states", "seen");
        const int playing = MediaPlayer::Playing, paused = MediaPlayer::Paused;
        QTest::newRow("no state yet") << QList<int>{} << "0 0";
        QTest::newRow("playing") << QList<int>{playing} << "2 1 pause";
        QTest::newRow("paused") << QList<int>{paused} << "1 2 play pause";
    }
    void pictureButtonsFollowThePlayState() {
        QFETCH(QList<int>, states);
        // A song is selected, so a Play that acts while playing would restart it.
        env->fillPlayList(1);
        frmForma().PlayList.setListIndex(0);
        FakePlayer &player = env->player;
        if (!states.isEmpty())
            player.setURL(QStringLiteral("C:/Music/a.mp3"));
        for (int state : states)
            player.force(state);
        const QString tops = QString("%1 %2 ").arg(top(panel()->pPlay)).arg(top(panel()->pPause));
        player.calls.clear();
        for (QWidget *stack : {panel()->pPlay, panel()->pPause})
            QTest::mouseClick(w().windowHandle(), Qt::LeftButton, {},
                              stack->mapTo(&w(), QPoint(12, 10)));
        QTEST((tops + player.calls.join(' ')).trimmed(), "seen");
    }

    // A double-click or Enter starts the song or opens the album (missing
    // here, so seen as a message); Enter only when it also went down there.
    // outcome: the song loaded | the messages shown.
    void startingFromTheLists_data() {
        columns<QString, bool, QString>("how", "albums", "outcome");
        QTest::newRow("song, double-click") << "dclick" << false << "C:/Music/1.mp3|0";
        QTest::newRow("song, Enter") << "enter" << false << "C:/Music/1.mp3|0";
        QTest::newRow("album, Enter") << "enter" << true << "|1";
        QTest::newRow("album, arrow down, Enter up") << "down" << true << "|0";
    }
    void startingFromTheLists() {
        QFETCH(QString, how);
        QFETCH(bool, albums);
        Forma &f = frmForma();
        env->fillPlayList(3);
        f.PlayList.setListIndex(1);
        f.lstAlbomy.setItems({QStringLiteral("gone.alb")});
        f.lstAlbomy.setListIndex(0);
        QListView *list = albums ? w().lstAlbomy() : w().PlayList();
        list->setFocus();
        const QPoint at = list->visualRect(list->currentIndex()).center();
        if (how == "dclick") {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        } else {
            QTest::keyPress(list, how == "enter" ? Qt::Key_Return : Qt::Key_Down);
            QTest::keyRelease(list, Qt::Key_Return);
        }
        QTEST(env->player.URL() + '|' + QString::number(env->dialogs.msgs.size()), "outcome");
        QCOMPARE(f.PlayKeyDown, 0);
    }

    // The playing row shows in the highlight colour also while the album
    // list has the focus; the playlist taking the focus selects no row.
    void theSelectedRowIsHighlightedWithoutTheFocus_data() {
        columns<int>("playing");
        row("the first row, which the focus marks", 0);
        row("another row", 2);
    }
    void theSelectedRowIsHighlightedWithoutTheFocus() {
        QFETCH(int, playing);
        env->fillPlayList(3);
        QListView *list = w().PlayList();
        list->setFocus();
        QTRY_VERIFY(list->hasFocus());
        QCOMPARE(frmForma().PlayList.ListIndex(), -1);
        w().lstAlbomy()->setFocus();
        QTRY_VERIFY(!list->hasFocus());
        frmForma().PlayList.setListIndex(playing);
        const QRect rect = list->visualRect(list->model()->index(playing, 0));
        const QImage shot = list->viewport()->grab().toImage();
        QCOMPARE(shot.pixelColor(rect.left() + 3, rect.center().y()),
                 list->palette().color(QPalette::Active, QPalette::Highlight));
    }

    // A close asks to save the changed album, and Cancel keeps the window.
    // (A close that goes on ends the run: test_main_window.sh, test_package.sh.)
    void cancellingTheCloseKeepsRunning() {
        G().AlbomChanged = 1;
        env->dialogs.answers << vbCancel;
        QVERIFY(!w().close());
        QCOMPARE(env->dialogs.msgs.size(), 1);
        QCOMPARE(env->events.ended, 0);
    }

    // Without a notification area a minimised window stays on the task bar.
    // (Hidden to the tray and brought back by its menu: test_album_list.sh.)
    void minimisingWithoutATrayKeepsTheWindow() {
        env->tray.hasArea = false;
        w().setWindowState(w().windowState() | Qt::WindowMinimized);
        QVERIFY(w().isVisible() && G().ShowForm && frmForma().Visible());
        QVERIFY(w().isMinimized());
    }

    // A drop of local files is answered at once and walked afterwards (what
    // it collects is tst_addfiles' rule); web addresses are not taken: the
    // program reaches only local files.
    void droppedFilesJoinThePlaylist() {
        TempDrives &d = env->drives;
        d.put("C:/Drop/a.mp3");
        d.put("C:/Drop/Sub/b.mp3");
        QListView *view = w().PlayList();
        QVERIFY(!drop(view, {QUrl("https://example.com/a.mp3")}));
        QCOMPARE(G().AlbomChanged, 0);
        QVERIFY(drop(view, {QUrl::fromLocalFile(d.native("C:/Drop"))}));
        QCOMPARE(frmForma().ListPath, QStringList());
        QTRY_COMPARE(frmForma().ListPath, QStringList({"aC:/Drop/a.mp3", "bC:/Drop/Sub/b.mp3"}));
        QCOMPARE(view->model()->rowCount(), 2);
        QCOMPARE(G().AlbomChanged, 1);
    }

    // The rules are the logic's (tst_menurules); here, that each
    // menu runs them as it opens: while playing, an item of each starts the
    // other way (the sort submenu's off, so Ctrl+R must not sort either).
    void enablingSeenWhenEachMenuOpens() {
        Forma &f = frmForma();
        env->fillPlayList(2);
        listAlbums({"a.alb"});
        env->player.force(MediaPlayer::Playing);
        G().NumPesni = 0;
        const QList<QPair<MenuItem *, bool>> items = {
            {&f.FileFound, true}, {&f.EditSort, true}, {&f.MusicPlay, false}, {&f.pMenuStop, true}};
        for (const auto &[item, on] : items)
            item->setEnabled(!on);
        const ui::FormaMenus &menus = w().menus();
        for (QMenu *menu : {menus.File, menus.Edit, menus.Music, menus.pMenu})
            openMenu(menu);
        for (const auto &[item, on] : items)
            QVERIFY2(act(*item)->isEnabled() == on, qPrintable(item->objectName()));
        QVERIFY(act(f.EditSortRevers)->isEnabled());
    }

    // Ctrl+N works with no menu ever opened (New asks for files); a shortcut
    // acts on the state set when its menu last opened, not the current one.
    void shortcuts() {
        w().lstAlbomy()->setFocus();
        QTest::keyClick(&w(), Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(env->windows.calls, QStringList{QStringLiteral("showAddFile")});
        QCOMPARE(frmForma().lstAlbomy.items(), QStringList{QStringLiteral("New")});
        QSignalSpy del(act(frmForma().EditDel), &QAction::triggered);
        openMenu(w().menus().Edit); // empty playlist
        env->fillPlayList(2);
        openMenu(w().menus().File);
        openMenu(w().menus().Music);
        w().PlayList()->setFocus();
        QTest::keyClick(&w(), Qt::Key_Delete);
        QCOMPARE(del.size(), 0);
        openMenu(w().menus().Edit);
        QTest::keyClick(&w(), Qt::Key_Delete);
        QCOMPARE(del.size(), 1);
    }

    // The tray's album list item brings the hidden window back with the keys
    // in its album list (that it opens no window of its own: tst_listalbom).
    void trayAlbumListFocusesTheAlbumList() {
        window = std::make_unique<FormaWindow>(); // one never shown
        G().ShowForm = false;
        act(frmForma().pMenuListAlbom)->trigger();
        QVERIFY(QTest::qWaitForWindowActive(&w()));
        QVERIFY(w().lstAlbomy()->hasFocus());
    }
};

QTEST_MAIN(TestFormaWindow)
#include "tst_formawindow.moc"
