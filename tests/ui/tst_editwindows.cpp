#include "WindowKit.h"

#include "editing/ChangeModel.h"
#include "editing/NewDiskModel.h"
#include "playback/FoundModel.h"
#include "ui/FrmChange.h"
#include "ui/FrmFound.h"
#include "ui/FrmNewDisk.h"

#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

using namespace tv;
using namespace tv::test;
using ui::FrmChange;
using ui::FrmFound;
using ui::FrmNewDisk;

namespace {

const QStringList kAlbum = {"КиноC:/Music/a.mp3", "АрияC:/Music/b.mp3", "DDTC:/Music/c.mp3"};

// The names of the controls Tab visits, from the one given round to it.
QStringList tabOrder(QWidget *first) {
    QStringList names;
    QWidget *w = first;
    do {
        if (w->focusPolicy() & Qt::TabFocus)
            names << w->objectName();
        w = w->nextInFocusChain();
    } while (w != first);
    return names;
}

} // namespace

// The rules of the edit windows and of the search window are their models'
// (tst_titleeditor, tst_driveletters, tst_foundwindow); here, that keys and
// clicks reach them and the windows follow.
class TestEditWindows : public LogicTest {
    Q_OBJECT
public:
    TestEditWindows() : LogicTest(Lang::English) {}

private slots:
    // A new title typed and applied with Enter (kChange is the default button
    // while the text box has the focus), then the editor is left one way: a
    // click on a control, Esc with the focus on it, or the close box.
    void leavingTheEditor_data() {
        columns<QString, bool, bool, bool>("target", "esc", "closes", "applies");
        row("OK", QStringLiteral("kOK"), false, true, true);
        row("Cancel", QStringLiteral("kCancel"), false, true, false);
        row("Esc in the text box", QStringLiteral("Text1"), true, true, false);
        row("Esc in the list", QStringLiteral("List1"), true, true, false);
        row("Esc on a button", QStringLiteral("kUP"), true, false, false);
        row("close box", QString(), false, true, false);
    }
    void leavingTheEditor() {
        QFETCH(QString, target);
        QFETCH(bool, esc);
        QFETCH(bool, closes);
        QFETCH(bool, applies);
        openSongs(kAlbum, 1);
        ChangeModel model;
        FrmChange d(model);
        QVERIFY(showActive(d));
        QCOMPARE(QApplication::focusWidget(), d.Text1());
        QVERIFY(d.kChange()->isDefault());
        d.Text1()->selectAll();
        QTest::keyClicks(d.Text1(), QStringLiteral("Shtil: live"));
        QTest::keyClick(d.Text1(), Qt::Key_Return);
        QCOMPARE(d.List1()->currentIndex().data().toString(), QStringLiteral("Shtil: live"));
        QWidget *at = target.isEmpty() ? nullptr : d.findChild<QWidget *>(target);
        if (esc) {
            at->setFocus();
            QCOMPARE(d.kChange()->isDefault(), at == d.Text1());
            QTest::keyClick(at, Qt::Key_Escape);
        } else if (at) {
            QTest::mouseClick(at, Qt::LeftButton);
        } else {
            d.close();
        }
        QCOMPARE(d.isVisible(), !closes);
        QCOMPARE(frmForma().ListPath.value(1),
                 applies ? QStringLiteral("Shtil: liveC:/Music/b.mp3") : kAlbum[1]);
        QCOMPARE(G().AlbomChanged, int(applies));
    }

    // Tab's way round the controls; Up and Down in the text box move the
    // selection, not the caret; a click on a row puts its title in the box.
    void textBoxFollowsTheList() {
        openSongs(kAlbum, 0);
        ChangeModel model;
        FrmChange d(model);
        QCOMPARE(tabOrder(d.Text1()),
                 QStringList({"Text1", "kUP", "kDOWN", "kChange", "kOK", "kCancel", "List1"}));
        QVERIFY(showActive(d));
        QTest::keyClick(d.Text1(), Qt::Key_Down);
        QTest::keyClick(d.Text1(), Qt::Key_Down);
        QCOMPARE(d.List1()->currentIndex().row(), 2);
        QCOMPARE(d.Text1()->text(), QStringLiteral("DDT"));
        QTest::keyClick(d.Text1(), Qt::Key_Up);
        QCOMPARE(d.Text1()->text(), QStringLiteral("Ария"));
        QListView *list = d.List1();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(model.index(0)).center());
        QCOMPARE(d.Text1()->text(), QStringLiteral("Кино"));
        // The move buttons carry the row, and with it the focus stays put.
        QTest::mouseClick(d.kDOWN(), Qt::LeftButton);
        QCOMPARE(d.List1()->currentIndex().row(), 1);
        QVERIFY(d.kOK()->isEnabled());
    }

    void driveLetterWindow() {
        openSongs(kAlbum, 0);
        NewDiskModel model;
        FrmNewDisk d(model);
        QCOMPARE(tabOrder(d.Text1(0)), QStringList({"Text1_0", "Text1_1", "kOK", "kNO"}));
        QVERIFY(showActive(d));
        QCOMPARE(QApplication::focusWidget(), d.Text1(0));
        QCOMPARE(d.Text1(0)->text(), QStringLiteral("C"));
        // One letter a box; the button follows the model; Esc does not leave.
        QTest::keyClick(&d, Qt::Key_Tab);
        QTest::keyClicks(d.Text1(1), QStringLiteral("DE"));
        QCOMPARE(d.Text1(1)->text(), QStringLiteral("D"));
        QVERIFY(d.kOK()->isEnabled());
        QTest::keyClick(d.Text1(1), Qt::Key_Escape);
        QVERIFY(d.isVisible());
        QTest::keyClick(d.Text1(1), Qt::Key_Return);
        QVERIFY(!d.isVisible());
        QCOMPARE(frmForma().ListPath.value(2), QStringLiteral("DDTd:/Music/c.mp3"));
    }

    // The search window: typing, Enter and clicks.
    void searchWindow() {
        putAlbums(useMemoryFs(), {{"rock.alb", albumFile(" 2 ", {"DawnC:/m/beatles/dawn.mp3",
                                                                 "DuskC:/m/beatles/dusk.mp3"})}});
        FoundModel model;
        FrmFound d(&model);
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        d.Text1()->setFocus();
        QTest::keyClicks(d.Text1(), "BEATLES");
        QVERIFY(d.kFound()->isEnabled());
        QTest::keyClick(d.Text1(), Qt::Key_Return);
        QCOMPARE(d.List1()->model()->rowCount(), 2);
        QCOMPARE(QApplication::focusWidget(), d.Text1());
        QVERIFY(!QApplication::overrideCursor());
        QListView *list = d.List1();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(list->model()->index(1, 0)).center());
        QVERIFY(d.KAddFile()->isEnabled());
        QCOMPARE(d.lblInfo()->text(), "Альбом: rock.alb");
        QTest::mouseClick(d.KAddFile(), Qt::LeftButton);
        QCOMPARE(frmForma().ListPath, QStringList{"DuskC:/m/beatles/dusk.mp3"});
        // Enter in the list adds the picked song (there already: nothing)
        // and presses no button: Add all would add the other song. (A click
        // on Add all: test_main_window.sh.)
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(frmForma().ListPath.size(), 1);
        QVERIFY(d.isVisible());
    }
};

QTEST_MAIN(TestEditWindows)
#include "tst_editwindows.moc"
