#include "WindowKit.h"

#include "playback/PlayerCommands.h"
#include "ui/PictureBox.h"
#include "ui/TitlePanel.h"

#include <QAction>
#include <QListView>

using namespace tv;
using namespace tv::test;
using ui::FormaWindow;

namespace {
const QString kIni = QStringLiteral("Тонвела для mp3.ini");
}

class TestFormaWindow : public QObject {
    Q_OBJECT
    std::unique_ptr<WindowEnv> m;

    FormaWindow &w() { return m->window; }
    ui::TitlePanel *panel() { return w().picPanel(); }
    // The member shown on top (-1: two at once); the greyed one is always below.
    int top(ui::PictureButtonStack *stack) {
        auto shows = [&](int member) { return stack->member(member)->isVisibleTo(&w()); };
        if (!shows(0) || (shows(1) && shows(2)))
            return -1;
        return shows(2) ? 2 : shows(1) ? 1 : 0;
    }
    void clickOn(QWidget *stack) {
        QTest::mouseClick(w().windowHandle(), Qt::LeftButton, {},
                          stack->mapTo(&w(), QPoint(12, 10)));
    }

private slots:
    void init() {
        m = std::make_unique<WindowEnv>();
        connectPlayback();
    }
    void cleanup() { m.reset(); }

    // The design's twips in pixels (15 to the pixel), the title panel's
    // buttons relative to the panel.
    void controlsSitAtTheirDesignRectangles_data() {
        QTest::addColumn<int>("control");
        QTest::addColumn<QRect>("rect");
        QTest::newRow("lstAlbomy") << 0 << QRect(4, 100, 316, 364);
        QTest::newRow("picPanel") << 1 << QRect(324, 115, 464, 31);
        QTest::newRow("pPause") << 2 << QRect(436, 5, 25, 21);
        QTest::newRow("PlayList") << 3 << QRect(324, 148, 464, 324);
    }
    void controlsSitAtTheirDesignRectangles() {
        QFETCH(int, control);
        QFETCH(QRect, rect);
        const QWidget *controls[] = {w().lstAlbomy(), panel(), panel()->pPause, w().PlayList()};
        QCOMPARE(controls[control]->geometry(), rect);
    }

    // Only the greyed member shows until the player reports a state; a click
    // lands on the member on top and only the raised one acts.
    void pictureButtonsFollowThePlayState_data() {
        QTest::addColumn<QList<int>>("states");
        QTest::addColumn<int>("play"); // member on top: 0 greyed, 1 raised, 2 pressed
        QTest::addColumn<int>("pause");
        QTest::addColumn<QString>("clicks"); // calls from clicking Play, then Pause
        const int playing = MediaPlayer::Playing, paused = MediaPlayer::Paused;
        QTest::newRow("no state yet") << QList<int>{} << 0 << 0 << "";
        QTest::newRow("playing") << QList<int>{playing} << 2 << 1 << "pause";
        QTest::newRow("paused") << QList<int>{paused} << 1 << 2 << "play pause";
        QTest::newRow("played to its end")
            << QList<int>{MediaPlayer::Stopped} << 1 << 2 << "play pause";
        QTest::newRow("resumed") << QList<int>{paused, playing} << 2 << 1 << "pause";
    }
    void pictureButtonsFollowThePlayState() {
        QFETCH(QList<int>, states);
        QFETCH(int, play);
        QFETCH(int, pause);
        QFETCH(QString, clicks);
        // A song is selected, so a Play that acts while playing would restart it.
        fillPlayList(m->env, 1);
        frmForma().PlayList.setListIndex(0);
        QVERIFY(m->showActive());
        FakePlayer &player = m->env.player;
        if (!states.isEmpty())
            player.setURL(QStringLiteral("C:/Music/a.mp3"));
        for (int state : states)
            player.force(state);
        QCOMPARE(top(panel()->pPlay), play);
        QCOMPARE(top(panel()->pPause), pause);
        player.calls.clear();
        clickOn(panel()->pPlay);
        clickOn(panel()->pPause);
        QCOMPARE(player.calls.join(' '), clicks);
    }

    void aHundredThousandSongsBoundBothWays() {
        QVERIFY(m->showActive());
        Forma &f = frmForma();
        for (int i = 0; i < 100000; ++i)
            f.ListPath << QStringLiteral("Song %1C:/Music/%1.mp3").arg(i);
        f.PlayList.rebuild();
        QListView *list = w().PlayList();
        QVERIFY(list->uniformItemSizes());
        f.PlayList.setListIndex(99999);
        QCOMPARE(list->currentIndex().data().toString(), QStringLiteral("100000.Song 99999"));
        QVERIFY(list->viewport()->rect().intersects(list->visualRect(list->currentIndex())));
        list->setCurrentIndex(list->model()->index(7, 0));
        QCOMPARE(f.PlayList.ListIndex(), 7);
        f.PlayList.setListIndex(-1);
        QVERIFY(list->selectionModel()->selectedIndexes().isEmpty());
    }

    // A double-click or Enter starts the song or opens the album (missing
    // here, so seen as a message); Enter only when it also went down there.
    void startingFromTheLists_data() {
        QTest::addColumn<bool>("albums");
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("acts");
        QTest::newRow("song, double-click") << false << "dclick" << true;
        QTest::newRow("song, Enter") << false << "enter" << true;
        QTest::newRow("song, Enter only released") << false << "release" << false;
        QTest::newRow("album, Enter") << true << "enter" << true;
        QTest::newRow("album, arrow down, Enter up") << true << "down" << false;
    }
    void startingFromTheLists() {
        QFETCH(bool, albums);
        QFETCH(QString, how);
        QFETCH(bool, acts);
        Forma &f = frmForma();
        fillPlayList(m->env, 3);
        f.PlayList.setListIndex(1);
        f.lstAlbomy.setItems({QStringLiteral("gone.alb")});
        resizeAlboms(0);
        G().Alboms[0] = {QStringLiteral("gone.alb"), 0};
        f.lstAlbomy.setListIndex(0);
        QVERIFY(m->showActive());
        QListView *list = albums ? w().lstAlbomy() : w().PlayList();
        list->setFocus();
        const QPoint at = list->visualRect(list->currentIndex()).center();
        if (how == QLatin1String("dclick")) {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        } else {
            if (how != QLatin1String("release"))
                QTest::keyPress(list,
                                how == QLatin1String("enter") ? Qt::Key_Return : Qt::Key_Down);
            QTest::keyRelease(list, Qt::Key_Return);
        }
        QCOMPARE(m->env.player.URL(),
                 acts && !albums ? QStringLiteral("C:/Music/1.mp3") : QString());
        QCOMPARE(m->env.dialogs.msgs.size(), acts && albums ? 1 : 0);
        QCOMPARE(f.PlayKeyDown, 0);
    }

    void closeAsksToSaveAndCancelKeepsRunning() {
        QVERIFY(m->showActive());
        G().AlbomChanged = 1;
        m->env.dialogs.answers << vbCancel << vbNo;
        QVERIFY(!w().close());
        QVERIFY(w().isVisible());
        QVERIFY(!m->env.drives.exists(m->env.app(kIni)));
        QCOMPARE(m->env.events.ended, 0);
        QVERIFY(w().close());
        QCOMPARE(m->env.dialogs.msgs.size(), 2);
        QVERIFY(m->env.drives.exists(m->env.app(kIni)));
        QCOMPARE(m->env.events.ended, 1);
    }

    void minimisingHidesToTheTray_data() {
        QTest::addColumn<bool>("trayArea");
        QTest::newRow("notification area") << true;
        QTest::newRow("no notification area") << false;
    }
    void minimisingHidesToTheTray() {
        QFETCH(bool, trayArea);
        m->env.tray.hasArea = trayArea;
        QVERIFY(m->showActive());
        w().setWindowState(w().windowState() | Qt::WindowMinimized);
        QCOMPARE(w().isVisible(), !trayArea);
        QCOMPARE(G().ShowForm, !trayArea);
        QCOMPARE(frmForma().Visible(), !trayArea);
        // The tray menu's item brings it back normal, not minimised.
        if (trayArea)
            w().menus().action(frmForma().pMenuShowHide)->trigger();
        QVERIFY(w().isVisible() && G().ShowForm);
        QCOMPARE(w().isMinimized(), !trayArea);
    }
};

QTEST_MAIN(TestFormaWindow)
#include "tst_formawindow.moc"
