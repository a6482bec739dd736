#include "WindowKit.h"

#include "core/AlbumCommands.h"
#include "core/Forma.h"
#include "playback/ListAlbomModel.h"
#include "ui/FrmListAlbom.h"
#include "ui/QtWindowPort.h"

#include <QApplication>
#include <QListView>
#include <QPointer>
#include <QScreen>

using namespace tv;
using namespace tv::test;
using ui::FrmListAlbom;

class TestFrmListAlbom : public LogicTest {
    Q_OBJECT
    ui::QtWindowPort port;

    // Albums "Album 0.alb" to "Album 2.alb" in AppDir, one song each; Album 0
    // is open and selected, the main window hidden in the tray.
    void setUp() override {
        P().windows = &port;
        const QByteArray album = albumFile(" 1 ", env->songsOnDisk(1));
        for (int i = 0; i < 3; ++i)
            env->drives.put(env->app(QStringLiteral("Album %1.alb").arg(i)), album);
        LoadAlbomInfoM();
        frmForma().lstAlbomy.setListIndex(0);
        frmForma().setLabel1(QStringLiteral("List of playlist"));
        G().NumAlbom = 0;
        G().NumPesni = 0;
        showForma(false);
        env->player.force(MediaPlayer::Stopped);
    }
    void tearDown() override { qDeleteAll(windows()); }

    static QList<FrmListAlbom *> windows() {
        QList<FrmListAlbom *> found;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *window = qobject_cast<FrmListAlbom *>(w))
                found << window;
        return found;
    }

    // Shown as at the end of an album; waits until it takes keys.
    static FrmListAlbom *show() {
        frmListAlbom_Show();
        FrmListAlbom *w = windows().value(0);
        return w && QTest::qWaitForWindowActive(w) ? w : nullptr;
    }

    // Lets the closed window go.
    static void settle() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }

private slots:
    // Fixed and centred, a close button alone (that it keeps above every
    // window without a task bar button is seen on the desktop:
    // test_album_list.sh); the albums with the open one selected and the main
    // window's heading as its caption.
    void looksAsDesigned() {
        FrmListAlbom *w = show();
        QVERIFY(w);
        const Qt::WindowFlags flags = w->windowFlags();
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QCOMPARE(w->maximumSize(), w->minimumSize());
        QCOMPARE(w->windowTitle(), QStringLiteral("List of playlist"));
        QCOMPARE(w->List1()->currentIndex().data().toString(), QStringLiteral("Album 0.alb"));
        QVERIFY(w->List1()->hasFocus());
        const QPoint middle = w->screen()->availableGeometry().center();
        QVERIFY(qAbs(w->geometry().center().x() - middle.x()) <= 2);
        QVERIFY(qAbs(w->geometry().center().y() - middle.y()) <= 40);
        // Modeless: the port returned with the window up, nothing blocks.
        QVERIFY(!QApplication::activeModalWidget());
        // Minimised it would be lost: it stays up.
        w->setWindowState(Qt::WindowMinimized);
        QVERIFY(!w->isMinimized());
        QVERIFY(w->isVisible());
    }

    // The mouse reaches the model; each way closes the window, which then
    // goes with its model. (Enter on the next album: test_album_list.sh.)
    void waysOut_data() {
        columns<QString, QString>("way", "played"); // played: the album whose song starts
        row("double-click on the next album", QString("dclick"), QString("Album 1.alb"));
        row("close button", QString("close"), QString());
    }
    void waysOut() {
        QFETCH(QString, way);
        QFETCH(QString, played);
        FrmListAlbom *shown = show();
        QVERIFY(shown);
        QPointer<FrmListAlbom> w = shown;
        QPointer<ListAlbomModel> model = frmListAlbom();
        QListView *list = w->List1();
        if (way == "dclick") {
            const QPoint row = list->visualRect(list->model()->index(1, 0)).center();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row);
        } else {
            QVERIFY(w->close());
        }
        settle();
        QVERIFY(!w);
        QVERIFY(!model);
        QVERIFY(!frmListAlbom());
        QCOMPARE(G().NameAlbom, played.isEmpty() ? QString() : played);
        QCOMPARE(env->player.calls.filter("url:").size(), played.isEmpty() ? 0 : 1);
    }
};

QTEST_MAIN(TestFrmListAlbom)
#include "tst_frmlistalbom.moc"
