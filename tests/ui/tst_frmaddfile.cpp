#include "Id3Tag.h"
#include "WindowKit.h"

#include "editing/AddFileModel.h"
#include "ui/FrmAddFile.h"
#include "ui/ListPicture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QScrollBar>

using namespace tv;
using namespace tv::test;
using ui::FrmAddFile;

namespace {

constexpr int kRow = AddFileModel::kRowHeight;

bool isDark(QRgb pixel) {
    return qGray(pixel) < 64;
}

// Whether any pixel of the rectangle is dark: an icon or a text is there.
bool inkIn(const QImage &image, const QRect &rect) {
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if (isDark(image.pixel(x, y)))
                return true;
    return false;
}

} // namespace

// The browser's rules are its model's (tst_addfilemodel); here, its picture
// of the rows and that keys and clicks reach the model.
class TestFrmAddFile : public LogicTest {
    Q_OBJECT
    std::unique_ptr<AddFileModel> model;
    std::unique_ptr<FrmAddFile> dialog;

    // A folder "M" with one subfolder and count tagged files, open in the browser.
    void open(int count) {
        fs->addFolder("C:/M/Sub");
        for (int i = 1; i <= count; ++i)
            fs->addFile(QStringLiteral("C:/M/%1.mp3").arg(i, 2, 10, QLatin1Char('0')),
                        id3v1("Title", "Artist"));
        G().strDir = QStringLiteral("C:/M/");
        model = std::make_unique<AddFileModel>(QStringLiteral("C:/M"));
        dialog = std::make_unique<FrmAddFile>(model.get());
    }
    ui::ListPicture *list() { return dialog->listPicture(); }
    // A point 2 px into the row: inside the strip of the partly shown one too.
    QPoint rowPoint(int row) { return {150, (row - model->VScroll1().Value) * kRow + 2}; }

    void setUp() override { useMemoryFs().addFolder(G().AppDir); }
    void tearDown() override {
        dialog.reset();
        model.reset();
    }

public:
    TestFrmAddFile() : LogicTest(Lang::Russian) {}

private slots:
    // Each row in view has its icon left of x = 21 and its text right of it;
    // the selected row is inverted from x = 21 to the right edge only.
    void paintsTheRowsInViewAndTheMark() {
        open(29);
        model->ListPicture_MouseDown(2 * kRow);
        QImage view = list()->view();
        for (int row = 0; row < 12; ++row) {
            const int top = row * kRow;
            QVERIFY2(inkIn(view, {2, top + 2, 18, 14}), qPrintable(QString::number(row)));
            QVERIFY(inkIn(view, {24, top + 4, 60, 11}));
        }
        const int band = 2 * kRow + 1;
        QVERIFY(!isDark(view.pixel(20, band)));
        QVERIFY(isDark(view.pixel(21, band)));
        QVERIFY(isDark(view.pixel(300, band)));
        QVERIFY(!isDark(view.pixel(300, band - kRow)));
        QCOMPARE(model->rowText(2), QString("1.Artist - Title"));

        // Scrolled by one row, the mark moves up with its row.
        dialog->VScroll1()->setValue(1);
        QCOMPARE(model->VScroll1().Value, 1);
        view = list()->view();
        QVERIFY(isDark(view.pixel(300, band - kRow)));
        QVERIFY(!isDark(view.pixel(300, band)));
        QVERIFY(dialog->VScroll1()->isVisibleTo(dialog.get()));
        QCOMPARE(dialog->VScroll1()->maximum(), model->VScroll1().Max);
    }

    // Keys and clicks reach the model; the buttons follow it.
    void keysAndClicks() {
        open(29);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        QCOMPARE(dialog->Drive1()->currentText(), QString("c: [C:]"));
        QTest::keyClick(list(), Qt::Key_PageDown);
        QCOMPARE(model->SelRow(), 23);
        QCOMPARE(dialog->VScroll1()->value(), 12);
        QVERIFY(dialog->KAddFile()->isEnabled());
        QTest::keyClick(list(), Qt::Key_Home);
        QTest::mouseClick(list(), Qt::LeftButton, {}, rowPoint(12));
        QCOMPARE(model->SelRow(), 12);
        QCOMPARE(model->VScroll1().Value, 1);
        // A double click: press and release, then the second press.
        QTest::mouseClick(list(), Qt::LeftButton, {}, rowPoint(1));
        QTest::mouseDClick(list(), Qt::LeftButton, {}, rowPoint(1));
        QCOMPARE(G().strDir, QString("C:/M/Sub/"));
        QVERIFY(!dialog->kAddPapka()->isEnabled());
        QVERIFY(dialog->VScroll1()->isHidden());
        // Backspace (up a folder) is a key no other window hands on.
        QTest::keyClick(list(), Qt::Key_Backspace);
        QCOMPARE(model->SelRow(), 1);
        dialog->chNamePesni()->click();
        QCOMPARE(G().NamePesni, 1);
    }

    // After Add all the keyboard is back on the rows; Esc leaves.
    void addAllThenEsc() {
        open(3);
        QWidget *focus = nullptr;
        QTimer::singleShot(0, dialog.get(), [this, &focus] {
            dialog->kAddPapka()->setFocus();
            QTest::mouseClick(dialog->kAddPapka(), Qt::LeftButton);
            focus = dialog->focusWidget();
            QTest::keyClick(list(), Qt::Key_Escape);
        });
        // Should Esc not close it, the test fails instead of waiting for ever.
        QTimer::singleShot(5000, dialog.get(), &QDialog::accept);
        QCOMPARE(dialog->exec(), int(QDialog::Rejected));
        QCOMPARE(focus, list());
        QCOMPARE(frmForma().ListPath.size(), 3);
    }
};

QTEST_MAIN(TestFrmAddFile)
#include "tst_frmaddfile.moc"
