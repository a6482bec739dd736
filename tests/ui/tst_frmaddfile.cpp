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

// The browser's rules are its model's (tst_addfilemodel); here, that keys and
// clicks reach the model (its picture of the rows is seen on the screenshots).
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
    QPoint rowPoint(int row) {
        return {150, (row - model->VScroll1().Value) * AddFileModel::kRowHeight + 2};
    }

    void setUp() override { useMemoryFs().addFolder(G().AppDir); }
    void tearDown() override {
        dialog.reset();
        model.reset();
    }

public:
    TestFrmAddFile() : LogicTest(Lang::Russian) {}

private slots:
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
