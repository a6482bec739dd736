// The search window on widgets: typing, Enter and clicks.
#include "WindowKit.h"

#include "playback/FoundModel.h"
#include "ui/FrmFound.h"

#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

using namespace tv;
using namespace tv::test;
using ui::FrmFound;

// The buttons' rules are the model's (tst_foundwindow); here, that each key
// and click reaches it and the window follows.
class TestFrmFound : public LogicTest {
    Q_OBJECT
    void setUp() override {
        putAlbums(useMemoryFs(), {{"rock.alb", albumFile(" 2 ", {"DawnC:/m/beatles/dawn.mp3",
                                                                 "DuskC:/m/beatles/dusk.mp3"})}});
    }

public:
    TestFrmFound() : LogicTest(Lang::English) {}

private slots:
    void keysAndClicksReachTheModel() {
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

QTEST_MAIN(TestFrmFound)
#include "tst_frmfound.moc"
