#include "Fakes.h"
#include "Id3Tag.h"
#include "MemoryFs.h"

#include "core/Forma.h"
#include "core/Globals.h"
#include "core/Language.h"
#include "editing/AddFileModel.h"
#include "ui/FrmAddFile.h"
#include "ui/ListPicture.h"
#include "ui/QtWindowPort.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

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

class TestFrmAddFile : public QObject {
    Q_OBJECT
    std::unique_ptr<LogicEnv> env;
    std::unique_ptr<MemoryFs> fs;
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

private slots:
    void init() {
        env = std::make_unique<LogicEnv>();
        fs = std::make_unique<MemoryFs>();
        P().fs = fs.get();
        fs->addFolder(G().AppDir);
        LanguageRuM();
    }
    void cleanup() {
        dialog.reset();
        model.reset();
        env.reset();
        fs.reset();
    }

    // The design's twips in pixels; the captions of the language in use.
    void layout() {
        open(3);
        QCOMPARE(dialog->size(), QSize(312, 338));
        QCOMPARE((QList<QRect>{dialog->Drive1()->geometry(), dialog->kAddPapka()->geometry(),
                               dialog->KAddFile()->geometry(), dialog->chNamePesni()->geometry(),
                               dialog->VScroll1()->geometry(), list()->geometry()}),
                 (QList<QRect>{{4, 4, 305, 21},
                               {40, 264, 129, 33},
                               {176, 264, 129, 33},
                               {16, 304, 297, 33},
                               {284, 0, 17, 216},
                               {0, 0, 301, 220}}));
        QCOMPARE(dialog->windowTitle(), QString::fromUtf8("Добавить файл(ы)"));
        QCOMPARE(dialog->kAddPapka()->text(), QString::fromUtf8("Добавить всё"));
        QCOMPARE(dialog->Drive1()->currentText(), QString("c: [C:]"));
        QVERIFY(dialog->kAddPapka()->isEnabled());
        QVERIFY(!dialog->KAddFile()->isEnabled());
        QVERIFY(dialog->VScroll1()->isHidden());
    }

    // Each row in view has its icon left of x = 21 and its text right of it;
    // the selected row is inverted from x = 21 to the right edge only.
    void paintsTheRowsInViewAndTheMark() {
        open(29);
        model->ListPicture_MouseDown(2 * kRow);
        QImage view = list()->view();
        QCOMPARE(view.size(), QSize(301, 220));
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
        QCOMPARE(dialog->VScroll1()->maximum(), 19);
        QCOMPARE(dialog->VScroll1()->pageStep(), 18);
    }

    // Keys and clicks reach the model; the buttons follow it.
    void keysAndClicks() {
        open(29);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        QTest::keyClick(list(), Qt::Key_PageDown);
        QCOMPARE(model->SelRow(), 23);
        QCOMPARE(dialog->VScroll1()->value(), 12);
        QVERIFY(dialog->KAddFile()->isEnabled());
        QTest::keyClick(list(), Qt::Key_Home);
        QTest::mouseClick(list(), Qt::LeftButton, {}, rowPoint(12));
        QCOMPARE(model->SelRow(), 12);
        QCOMPARE(model->VScroll1().Value, 1);
        QTest::keyClick(list(), Qt::Key_Return);
        QCOMPARE(frmForma().ListPath, QStringList{"Artist - TitleC:/M/11.mp3"});
        // A double click: press and release, then the second press.
        QTest::mouseClick(list(), Qt::LeftButton, {}, rowPoint(1));
        QTest::mouseDClick(list(), Qt::LeftButton, {}, rowPoint(1));
        QCOMPARE(G().strDir, QString("C:/M/Sub/"));
        QVERIFY(!dialog->kAddPapka()->isEnabled());
        QVERIFY(dialog->VScroll1()->isHidden());
        QTest::keyClick(list(), Qt::Key_Backspace);
        QCOMPARE(model->SelRow(), 1);
        dialog->chNamePesni()->click();
        QCOMPARE(G().NamePesni, 1);
        QCOMPARE(model->rowText(2), QString("1.01"));
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

    void thePortOpensTheBrowserModally() {
        ui::QtWindowPort port;
        port.loadForma();
        QString title;
        QTimer::singleShot(0, [&title] {
            QWidget *modal = QApplication::activeModalWidget();
            if (auto *browser = qobject_cast<FrmAddFile *>(modal)) {
                title = browser->windowTitle();
                browser->close();
            }
        });
        port.showAddFile();
        QCOMPARE(title, QString::fromUtf8("Добавить файл(ы)"));
    }
};

QTEST_MAIN(TestFrmAddFile)
#include "tst_frmaddfile.moc"
