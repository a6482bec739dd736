#include "WindowKit.h"

#include "core/Startup.h"
#include "playback/PlayerCommands.h"
#include "playback/Tray.h"
#include "ui/PictureBox.h"
#include "ui/TitlePanel.h"

#include <QLabel>
#include <QListView>
#include <QMenuBar>
#include <QSignalSpy>
#include <functional>

using namespace tv;
using namespace tv::test;
using ui::FormaWindow;

namespace {
using Locate = std::function<QWidget *(FormaWindow &)>;
}
Q_DECLARE_METATYPE(Locate)

class TestFormaWindow : public QObject {
    Q_OBJECT
    std::unique_ptr<WindowEnv> m;

    FormaWindow &w() { return m->window; }
    ui::TitlePanel *panel() { return w().picPanel(); }

private slots:
    void init() {
        m = std::make_unique<WindowEnv>();
        connectPlayback();
    }
    void cleanup() { m.reset(); }

    // Rectangles in pixels of the design's twips (15 to the pixel), relative
    // to the client area or, for the title panel's parts, to the panel.
    void controlsSitAtTheirDesignRectangles_data() {
        QTest::addColumn<Locate>("locate");
        QTest::addColumn<QRect>("rect");
        auto row = [](const char *name, Locate locate, QRect rect) {
            QTest::newRow(name) << locate << rect;
        };
        row("lstAlbomy", [](FormaWindow &w) { return w.lstAlbomy(); }, {4, 100, 316, 364});
        row("usrReklamaX1", [](FormaWindow &w) { return w.usrReklamaX1(); }, {0, 0, 793, 73});
        row("picPanel", [](FormaWindow &w) { return w.picPanel(); }, {324, 115, 464, 31});
        row("picNazvanie", [](FormaWindow &w) { return w.picPanel()->picNazvanie; },
            {0, 5, 401, 21});
        row("pPlay", [](FormaWindow &w) { return w.picPanel()->pPlay; }, {408, 5, 25, 21});
        row("pPause", [](FormaWindow &w) { return w.picPanel()->pPause; }, {436, 5, 25, 21});
        row("picPobeda", [](FormaWindow &w) { return w.picPobeda(); }, {4, 480, 784, 20});
        row("PlayList", [](FormaWindow &w) { return w.PlayList(); }, {324, 148, 464, 324});
        row("Label1", [](FormaWindow &w) { return w.Label1(); }, {4, 76, 316, 21});
        row("MediaPlayer1", [](FormaWindow &w) { return w.MediaPlayer1(); }, {324, 76, 464, 70});
    }
    void controlsSitAtTheirDesignRectangles() {
        QFETCH(Locate, locate);
        QFETCH(QRect, rect);
        QCOMPARE(locate(w())->geometry(), rect);
    }

    void clientAreaIsFixedBelowTheMenuBar() {
        QVERIFY(m->showActive());
        QCOMPARE(w().centralWidget()->size(), QSize(794, 502));
        QCOMPARE(w().centralWidget()->y(), w().menuBar()->height());
        QCOMPARE(w().minimumSize(), w().maximumSize());
        QVERIFY(!(w().windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(w().windowFlags() & Qt::WindowMinimizeButtonHint);
    }

    // The title panel lies in front of the player's bar it overlaps.
    void titlePanelCoversTheLowerEdgeOfThePlayerBar() {
        QVERIFY(m->showActive());
        const QPoint overlap = w().picPanel()->geometry().center();
        QCOMPARE(w().centralWidget()->childAt(overlap)->parentWidget(), w().picPanel());
        const QPoint barOnly(overlap.x(), w().MediaPlayer1()->y() + 5);
        QWidget *hit = w().centralWidget()->childAt(barOnly);
        QVERIFY(hit == w().MediaPlayer1() || w().MediaPlayer1()->isAncestorOf(hit));
    }

    void textsFollowTheLogic() {
        Forma &f = frmForma();
        QCOMPARE(w().Label1()->text(), QStringLiteral("Список альбомов"));
        f.setCaption(QStringLiteral("Tonvela for MP3 - rock.alb"));
        f.setLabel1(QStringLiteral("List of playlist"));
        f.drawNazvanie(QStringLiteral("3.Dawn"));
        QCOMPARE(w().windowTitle(), QStringLiteral("Tonvela for MP3 - rock.alb"));
        QCOMPARE(w().Label1()->text(), QStringLiteral("List of playlist"));
        QCOMPARE(w().picPanel()->picNazvanie->text(), QStringLiteral("3.Dawn"));
    }

    void titlePageShowsTheRussianTitle() {
        w().showTitlePage();
        QCOMPARE(w().usrReklamaX1()->text(), QStringLiteral("Тонвела для MP3"));
        QCOMPARE(w().usrReklamaX1()->font().pixelSize(), 32);
    }

    // Until the player reports a state only the greyed member shows.
    void pictureButtonsStartGreyed() {
        for (ui::PictureButtonStack *stack : {panel()->pPlay, panel()->pPause}) {
            QVERIFY(stack->member(0)->isVisibleTo(&w()));
            QVERIFY(!stack->member(0)->isEnabled());
            QVERIFY(!stack->member(1)->isVisibleTo(&w()));
            QVERIFY(stack->member(1)->isEnabled());
            QVERIFY(!stack->member(2)->isVisibleTo(&w()));
            QVERIFY(!stack->member(2)->isEnabled());
        }
    }

    void pictureButtonsFollowThePlayState_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<bool>("playRaised");
        QTest::addColumn<bool>("pauseRaised");
        QTest::newRow("playing") << "url" << false << true;
        QTest::newRow("paused") << "url pause" << true << false;
        QTest::newRow("played to its end") << "url finish" << true << false;
        QTest::newRow("resumed") << "url pause play" << false << true;
    }
    void pictureButtonsFollowThePlayState() {
        QFETCH(QString, steps);
        QFETCH(bool, playRaised);
        QFETCH(bool, pauseRaised);
        for (const QString &step : steps.split(QLatin1Char(' '))) {
            if (step == QLatin1String("url"))
                m->env.player.setURL(QStringLiteral("C:/Music/a.mp3"));
            else if (step == QLatin1String("pause"))
                m->env.player.pause();
            else if (step == QLatin1String("play"))
                m->env.player.play();
            else
                m->env.player.finish();
        }
        QCOMPARE(panel()->pPlay->member(1)->isVisibleTo(&w()), playRaised);
        QCOMPARE(panel()->pPlay->member(2)->isVisibleTo(&w()), !playRaised);
        QCOMPARE(panel()->pPause->member(1)->isVisibleTo(&w()), pauseRaised);
        QCOMPARE(panel()->pPause->member(2)->isVisibleTo(&w()), !pauseRaised);
        QVERIFY(panel()->pPlay->member(0)->isVisibleTo(&w()));
    }

    // A click lands on whatever member shows on top; only the raised one acts.
    void onlyTheRaisedMemberTakesClicks() {
        QVERIFY(m->showActive());
        FakePlayer &player = m->env.player;
        auto clickOn = [this](QWidget *stack) {
            const QPoint at = stack->mapTo(&w(), QPoint(12, 10));
            QTest::mouseClick(w().windowHandle(), Qt::LeftButton, {}, at);
        };
        clickOn(panel()->pPlay); // greyed only: nothing happens
        clickOn(panel()->pPause);
        QVERIFY(player.calls.isEmpty());

        player.setURL(QStringLiteral("C:/Music/a.mp3"));
        player.calls.clear();
        clickOn(panel()->pPlay); // playing: the pressed-in member ignores it
        QVERIFY(player.calls.isEmpty());
        clickOn(panel()->pPause); // the raised member pauses
        QCOMPARE(player.calls, QStringList{QStringLiteral("pause")});
        QCOMPARE(player.playState(), int(MediaPlayer::Paused));
        clickOn(panel()->pPause); // now pressed in
        clickOn(panel()->pPlay);  // raised: resumes
        QCOMPARE(player.calls, (QStringList{QStringLiteral("pause"), QStringLiteral("play")}));
        QCOMPARE(player.playState(), int(MediaPlayer::Playing));
    }

    void listIndexIsBoundBothWays() {
        Forma &f = frmForma();
        f.lstAlbomy.setItems({QStringLiteral("a.alb"), QStringLiteral("b.alb")});
        f.lstAlbomy.setListIndex(1);
        QCOMPARE(w().lstAlbomy()->currentIndex().row(), 1);
        w().lstAlbomy()->setCurrentIndex(f.lstAlbomy.index(0, 0));
        QCOMPARE(f.lstAlbomy.ListIndex(), 0);
        f.lstAlbomy.setListIndex(-1);
        QVERIFY(!w().lstAlbomy()->currentIndex().isValid());
        QVERIFY(w().lstAlbomy()->selectionModel()->selectedIndexes().isEmpty());
    }

    void aHundredThousandSongsRebuildAndScroll() {
        Forma &f = frmForma();
        QVERIFY(m->showActive());
        for (int i = 0; i < 100000; ++i)
            f.ListPath << QStringLiteral("Song %1C:/Music/%1.mp3").arg(i);
        f.PlayList.rebuild();
        QVERIFY(w().PlayList()->uniformItemSizes());
        QCOMPARE(w().PlayList()->model()->rowCount(), 100000);
        f.PlayList.setListIndex(99999);
        QCOMPARE(w().PlayList()->currentIndex().row(), 99999);
        QVERIFY(w().PlayList()->viewport()->rect().intersects(
            w().PlayList()->visualRect(w().PlayList()->currentIndex())));
        QCOMPARE(w().PlayList()->currentIndex().data().toString(),
                 QStringLiteral("100000.Song 99999"));
        f.PlayList.rebuild();
        QVERIFY(!w().PlayList()->currentIndex().isValid());
    }

    void doubleClickStartsTheSong() {
        fillPlayList(m->env, 3);
        QVERIFY(m->showActive());
        QListView *list = w().PlayList();
        const QPoint at = list->visualRect(list->model()->index(1, 0)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(m->env.player.URL(), QStringLiteral("C:/Music/1.mp3"));
        QCOMPARE(G().NumPesni, 1);
    }

    void enterStartsTheSelectedSong_data() {
        QTest::addColumn<bool>("pressedHere");
        QTest::newRow("pressed and released in the list") << true;
        QTest::newRow("only released in the list") << false;
    }
    void enterStartsTheSelectedSong() {
        QFETCH(bool, pressedHere);
        fillPlayList(m->env, 3);
        QVERIFY(m->showActive());
        frmForma().PlayList.setListIndex(2);
        w().PlayList()->setFocus();
        if (pressedHere)
            QTest::keyPress(w().PlayList(), Qt::Key_Return);
        QTest::keyRelease(w().PlayList(), Qt::Key_Return);
        QCOMPARE(m->env.player.URL(), pressedHere ? QStringLiteral("C:/Music/2.mp3") : QString());
        QCOMPARE(frmForma().PlayKeyDown, 0);
    }

    // Enter opens the selected album only when it went down in the album list
    // as a character key; the album here is missing, so opening it is seen as
    // the not-found message.
    void enterInTheAlbumListOpensTheAlbum_data() {
        QTest::addColumn<int>("downKey");
        QTest::addColumn<int>("messages");
        QTest::newRow("Enter") << int(Qt::Key_Return) << 1;
        QTest::newRow("arrow down, Enter up") << int(Qt::Key_Down) << 0;
    }
    void enterInTheAlbumListOpensTheAlbum() {
        QFETCH(int, downKey);
        QFETCH(int, messages);
        frmForma().lstAlbomy.setItems({QStringLiteral("gone.alb")});
        resizeAlboms(0);
        G().Alboms[0] = {QStringLiteral("gone.alb"), 0};
        frmForma().lstAlbomy.setListIndex(0);
        QVERIFY(m->showActive());
        w().lstAlbomy()->setFocus();
        QTest::keyPress(w().lstAlbomy(), Qt::Key(downKey));
        QTest::keyRelease(w().lstAlbomy(), Qt::Key_Return);
        QCOMPARE(m->env.dialogs.msgs.size(), messages);
    }

    void focusAndVisibilityRequests() {
        Forma &f = frmForma();
        f.setVisible(true);
        QVERIFY(w().isVisible());
        QVERIFY(QTest::qWaitForWindowActive(&w()));
        f.setFocusTo(Forma::Control::lstAlbomy);
        QVERIFY(w().lstAlbomy()->hasFocus());
        f.setFocusTo(Forma::Control::PlayList);
        QVERIFY(w().PlayList()->hasFocus());
        f.setVisible(false);
        QVERIFY(!w().isVisible());
        // What the user or the window manager does is reported back.
        w().show();
        QVERIFY(f.Visible());
        w().hide();
        QVERIFY(!f.Visible());
    }

    void closeAsksToSaveAndCancelKeepsRunning() {
        QVERIFY(m->showActive());
        G().AlbomChanged = 1;
        m->env.dialogs.answers << vbCancel;
        QVERIFY(!w().close());
        QVERIFY(w().isVisible());
        QCOMPARE(m->env.dialogs.msgs.size(), 1);
        QVERIFY(!m->env.drives.exists(m->env.app(QStringLiteral("Тонвела для mp3.ini"))));
        QCOMPARE(m->env.events.ended, 0);

        m->env.dialogs.answers << vbNo;
        QVERIFY(w().close());
        QVERIFY(m->env.drives.exists(m->env.app(QStringLiteral("Тонвела для mp3.ini"))));
        QCOMPARE(m->env.events.ended, 1);
    }

    // Exit from the tray menu while the window is hidden: the settings
    // remember the hidden window.
    void exitWhileHiddenRemembersIt() {
        QVERIFY(m->showActive());
        pMenuShowHide_Click();
        QVERIFY(!w().isVisible());
        pMenuExit_Click();
        QCOMPARE(m->env.events.ended, 1);
        const QByteArray ini = m->env.drives.get(m->env.app(QStringLiteral("Тонвела для mp3.ini")));
        QVERIFY2(ini.contains("[showform]\r\nFalse\r\n"), ini.constData());
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
        if (!trayArea) {
            QVERIFY(w().isMinimized());
            return;
        }
        // Back from the tray it is shown normal, not minimised.
        pMenuShowHide_Click();
        QVERIFY(w().isVisible());
        QVERIFY(!w().isMinimized());
        QVERIFY(G().ShowForm);
    }
};

QTEST_MAIN(TestFormaWindow)
#include "tst_formawindow.moc"
