#include "WindowKit.h"

#include "core/FormCommands.h"
#include "core/Language.h"
#include "core/WebLinks.h"
#include "ui/FrmOprog.h"
#include "ui/PictureBox.h"
#include "ui/QtWindowPort.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

using namespace tv;
using namespace tv::test;
using ui::FrmOprog;

class TestFrmOprog : public QObject {
    Q_OBJECT
    std::unique_ptr<LogicEnv> env;

private slots:
    void init() {
        env = std::make_unique<LogicEnv>();
        env->drives.put(G().AppDir + "Language/.keep", "");
        LanguageRuM();
    }
    void cleanup() { env.reset(); }

    // Only the caption follows the language; the lines stay as designed.
    void captionFromTheMenuItem_data() {
        columns<int, QString>("language", "caption");
        row("Russian", 0, QString("О программе"));
        row("English", 1, QString("About the program"));
    }
    void captionFromTheMenuItem() {
        QFETCH(int, language);
        G().Language = language;
        applyLanguage();
        FrmOprog box;
        QTEST(box.windowTitle(), "caption");
        QCOMPARE(box.Label2(6)->text(), QString("Версия: v9.0"));
        QCOMPARE(box.Label2(5)->text(), QString("Сайт:"));
        QVERIFY(box.Label2(3)->text().startsWith("Автор: "));
        QVERIFY(box.Label2(4)->text().startsWith("E-mail: "));
        QVERIFY(box.Label2(7)->text().startsWith("Дата: "));
    }

    // Every line can be read whole in its place.
    void theLinesFitTheirLabels() {
        FrmOprog box;
        QCOMPARE(box.size(), QSize(356, 209));
        QList<QLabel *> labels{box.Label1()};
        for (int i : {0, 3, 4, 5, 6, 7})
            labels << box.Label2(i);
        for (QLabel *label : labels) {
            QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(),
                     qPrintable(label->text()));
            QVERIFY(box.rect().contains(label->geometry()));
        }
    }

    void picturesOfTheBox_data() {
        columns<int, QColor>("y", "colour");
        row("top band", 0, QColor(Qt::white));
        row("last white row", 14, QColor(Qt::white));
        row("first blue row", 15, QColor(0, 0, 255));
        row("last blue row", 30, QColor(0, 0, 255));
        row("first red row", 31, QColor(255, 0, 0));
        row("bottom", 44, QColor(255, 0, 0));
    }
    void picturesOfTheBox() {
        QFETCH(int, y);
        FrmOprog box;
        QCOMPARE(box.Image1()->picture().size(), QSize(71, 126));
        QCOMPARE(box.Image1()->geometry(), QRect(16, 8, 71, 126));
        const QImage flag = box.Picture1()->picture().toImage();
        QCOMPARE(flag.size(), QSize(80, 45));
        for (int x : {0, 40, 79})
            QTEST(flag.pixelColor(x, y), "colour");
    }

    void theLinkLooksLikeOne() {
        FrmOprog box;
        QLabel *link = box.Label1();
        QVERIFY(link->font().underline());
        QCOMPARE(link->palette().color(QPalette::WindowText), QColor(0, 0, 192));
        QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(box.Label1Tag(), QString("http://") + kMakerHost + "/site/");
    }

    // The page opens through a redirect page, under the hourglass.
    void clickingTheLinkOpensTheSite() {
        FrmOprog box;
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        Qt::CursorShape during = Qt::ArrowCursor;
        env->events.pending = [&during] {
            if (QApplication::overrideCursor())
                during = QApplication::overrideCursor()->shape();
        };
        QTest::mouseClick(box.Label1(), Qt::LeftButton);
        QCOMPARE(during, Qt::WaitCursor);
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        const QString page = G().AppDir + "Language/0.html";
        QCOMPARE(env->shell.calls, QStringList{page + "|C:/Tonvela"});
        QVERIFY(env->drives.get(page).contains("url=" + box.Label1Tag().toLatin1() + "'"));
    }

    void enterIsOk() {
        FrmOprog box;
        QVERIFY(box.OK()->isDefault());
        QTimer::singleShot(0, &box, [&box] {
            QVERIFY(QTest::qWaitForWindowExposed(&box));
            QTest::keyClick(&box, Qt::Key_Return);
        });
        QCOMPARE(box.exec(), int(QDialog::Accepted));
    }

    void thePortOpensTheBoxModally() {
        ui::QtWindowPort port;
        port.loadForma();
        QString shown;
        QTimer::singleShot(0, [&shown] {
            auto *box = qobject_cast<FrmOprog *>(QApplication::activeModalWidget());
            if (!box)
                return;
            shown = box->windowTitle();
            const QString dir = QStringLiteral(TV_TEST_BUILD "/../screenshots");
            QDir().mkpath(dir);
            box->grab().save(dir + "/about-box.png");
            box->OK()->click();
        });
        P().windows = &port;
        HelpAbout_Click();
        QCOMPARE(shown, QString("О программе"));
    }
};

QTEST_MAIN(TestFrmOprog)
#include "tst_frmoprog.moc"
