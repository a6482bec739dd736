#include "WindowKit.h"

#include "core/Language.h"
#include "editing/ChangeModel.h"
#include "editing/NewDiskModel.h"
#include "ui/Bitmaps.h"
#include "ui/FrmChange.h"
#include "ui/FrmNewDisk.h"
#include "ui/QtWindowPort.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTimer>

using namespace tv;
using namespace tv::test;
using ui::FrmChange;
using ui::FrmNewDisk;

namespace {

const QStringList kAlbum = {"КиноC:/Music/a.mp3", "АрияC:/Music/b.mp3", "DDTC:/Music/c.mp3"};

void openSongs(int selected) {
    frmForma().ListPath = kAlbum;
    frmForma().PlayList.rebuild();
    frmForma().PlayList.setListIndex(selected);
    G().AlbomChanged = 0;
}

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

bool showActive(QDialog &d) {
    d.show();
    d.activateWindow();
    return QTest::qWaitForWindowActive(&d);
}

// The first and the last row of black pixels of a picture: their widths.
QPair<int, int> blackRowWidths(const QImage &image) {
    QList<int> widths;
    for (int y = 0; y < image.height(); ++y) {
        int n = 0;
        for (int x = 0; x < image.width(); ++x)
            n += image.pixelColor(x, y) == QColor(Qt::black);
        if (n > 0)
            widths << n;
    }
    return {widths.value(0), widths.value(widths.size() - 1)};
}

} // namespace

class TestEditWindows : public QObject {
    Q_OBJECT
    std::unique_ptr<LogicEnv> env;

private slots:
    void init() {
        env = std::make_unique<LogicEnv>();
        LanguageEnM();
    }
    void cleanup() { env.reset(); }

    void tabOrders() {
        openSongs(0);
        ChangeModel change;
        FrmChange c(change);
        QCOMPARE(tabOrder(c.Text1()),
                 QStringList({"Text1", "kUP", "kDOWN", "kChange", "kOK", "kCancel", "List1"}));
        NewDiskModel disk;
        FrmNewDisk d(disk);
        QCOMPARE(tabOrder(d.Text1(0)), QStringList({"Text1_0", "Text1_1", "kOK", "kNO"}));
    }

    // A new title typed and applied with Enter (kChange is the default button
    // while the text box has the focus), then the editor is left one way.
    void leavingTheEditor_data() {
        columns<QString, bool, bool>("how", "closes", "applies");
        row("OK", QStringLiteral("ok"), true, true);
        row("Cancel", QStringLiteral("cancel"), true, false);
        row("Esc in the text box", QStringLiteral("esc-text"), true, false);
        row("Esc in the list", QStringLiteral("esc-list"), true, false);
        row("Esc on a button", QStringLiteral("esc-button"), false, false);
        row("close box", QStringLiteral("close"), true, false);
    }
    void leavingTheEditor() {
        QFETCH(QString, how);
        QFETCH(bool, closes);
        QFETCH(bool, applies);
        openSongs(1);
        ChangeModel model;
        FrmChange d(model);
        QVERIFY(showActive(d));
        QCOMPARE(QApplication::focusWidget(), d.Text1());
        QVERIFY(d.kChange()->isDefault());
        QVERIFY(!d.kOK()->isEnabled());
        d.Text1()->selectAll();
        QTest::keyClicks(d.Text1(), QStringLiteral("Shtil: live"));
        QTest::keyClick(d.Text1(), Qt::Key_Return);
        QCOMPARE(d.List1()->currentIndex().data().toString(), QStringLiteral("Shtil: live"));
        QVERIFY(d.kOK()->isEnabled());
        if (how == QLatin1String("ok"))
            QTest::mouseClick(d.kOK(), Qt::LeftButton);
        else if (how == QLatin1String("cancel"))
            QTest::mouseClick(d.kCancel(), Qt::LeftButton);
        else if (how == QLatin1String("esc-text"))
            QTest::keyClick(d.Text1(), Qt::Key_Escape);
        else if (how == QLatin1String("esc-list")) {
            d.List1()->setFocus();
            QTest::keyClick(d.List1(), Qt::Key_Escape);
        } else if (how == QLatin1String("esc-button")) {
            d.kUP()->setFocus();
            QVERIFY(!d.kChange()->isDefault());
            QTest::keyClick(d.kUP(), Qt::Key_Escape);
        } else
            d.close();
        QCOMPARE(d.isVisible(), !closes);
        QCOMPARE(frmForma().ListPath.value(1),
                 applies ? QStringLiteral("Shtil: liveC:/Music/b.mp3") : kAlbum[1]);
        QCOMPARE(G().AlbomChanged, int(applies));
    }

    // Up and Down in the text box move the selection, not the caret; a click
    // on a row puts its title in the box; an empty box disables kChange.
    void textBoxFollowsTheList() {
        openSongs(0);
        ChangeModel model;
        FrmChange d(model);
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
        d.Text1()->clear();
        QVERIFY(!d.kChange()->isEnabled());
        QTest::keyClick(d.Text1(), Qt::Key_X);
        QVERIFY(d.kChange()->isEnabled());
        // The move buttons carry the row, and with it the focus stays put.
        QTest::mouseClick(d.kDOWN(), Qt::LeftButton);
        QCOMPARE(d.List1()->currentIndex().row(), 1);
        QCOMPARE(d.List1()->currentIndex().data().toString(), QStringLiteral("Кино"));
        QVERIFY(d.kOK()->isEnabled());
    }

    void driveLetterWindow() {
        openSongs(0);
        NewDiskModel model;
        FrmNewDisk d(model);
        QVERIFY(showActive(d));
        QCOMPARE(QApplication::focusWidget(), d.Text1(0));
        QCOMPARE(d.Text1(0)->text(), QStringLiteral("C"));
        QVERIFY(!d.kOK()->isEnabled());
        QTest::keyClick(&d, Qt::Key_Tab);
        QTest::keyClicks(d.Text1(1), QStringLiteral("CD"));
        QCOMPARE(d.Text1(1)->text(), QStringLiteral("C"));
        QVERIFY(!d.kOK()->isEnabled());
        QTest::keyClick(d.Text1(1), Qt::Key_Backspace);
        QTest::keyClick(d.Text1(1), Qt::Key_D);
        QVERIFY(d.kOK()->isEnabled());
        QTest::keyClick(d.Text1(1), Qt::Key_Escape);
        QVERIFY(d.isVisible());
        QTest::keyClick(d.Text1(1), Qt::Key_Return);
        QVERIFY(!d.isVisible());
        QCOMPARE(env->dialogs.msgs.value(0).prompt, QStringLiteral("Quantity of replacements: 3"));
        QCOMPARE(frmForma().ListPath.value(2), QStringLiteral("DDTd:/Music/c.mp3"));
    }

    // Each label ends before its box, whatever the language's word.
    void labelsFitTheirWords_data() {
        columns<int>("language");
        row("Russian", 0);
        row("English", 1);
    }
    void labelsFitTheirWords() {
        QFETCH(int, language);
        language ? LanguageEnM() : LanguageRuM();
        NewDiskModel model;
        FrmNewDisk d(model);
        for (int i = 0; i < 2; ++i) {
            QLabel *label = d.Label2(i);
            QVERIFY(label->width() >= label->fontMetrics().horizontalAdvance(label->text()));
            QVERIFY(label->geometry().right() < d.Text1(i)->geometry().left());
            QVERIFY(label->geometry().left() >= 0);
        }
    }

    void thePortOpensEachWindowModally_data() {
        columns<QString, QString>("window", "caption");
        row("title editor", QStringLiteral("change"), QStringLiteral("Edit title"));
        row("drive letters", QStringLiteral("newdisk"),
            QStringLiteral("Replace the letter of a disk"));
    }
    void thePortOpensEachWindowModally() {
        QFETCH(QString, window);
        QFETCH(QString, caption);
        openSongs(0);
        ui::QtWindowPort port;
        port.loadForma();
        QString seen;
        QTimer::singleShot(0, [&seen] {
            QWidget *modal = QApplication::activeModalWidget();
            if (qobject_cast<FrmChange *>(modal) || qobject_cast<FrmNewDisk *>(modal))
                seen = modal->windowTitle();
            if (modal)
                modal->close();
        });
        window == QLatin1String("change") ? port.showChange() : port.showNewDisk();
        QCOMPARE(seen, caption);
        QCOMPARE(frmForma().ListPath, kAlbum);
    }

    // Black arrows on the button's face; the tip of the up arrow at the top.
    void arrowPictures() {
        const QImage up = ui::arrowPicture(ui::Arrow::Up);
        const QImage down = ui::arrowPicture(ui::Arrow::Down);
        QCOMPARE(up.size(), QSize(ui::kArrowSize, ui::kArrowSize));
        QCOMPARE(down, up.mirrored(false, true));
        QCOMPARE(up.pixelColor(0, 0).alpha(), 0);
        const auto [tip, tail] = blackRowWidths(up);
        QVERIFY(tip > 0 && tip < tail);
    }
};

QTEST_MAIN(TestEditWindows)
#include "tst_editwindows.moc"
