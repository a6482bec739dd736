// The about box's look is checked on its screenshot and on the desktop
// (test_about_help.sh); here, its texts and its link.
#include "WindowKit.h"

#include "core/FormCommands.h"
#include "ui/FrmOprog.h"

#include <QLabel>

using namespace tv;
using namespace tv::test;
using ui::FrmOprog;

class TestFrmOprog : public LogicTest {
    Q_OBJECT
    void setUp() override { makeLanguageFolder(); }

public:
    TestFrmOprog() : LogicTest(Lang::Russian) {}

private slots:
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
        QCOMPARE(box.Label2(5)->text(), QString("Сайт:"));
    }

    // The link looks like one; a click opens the site through a redirect
    // page, under the hourglass.
    void clickingTheLinkOpensTheSite() {
        FrmOprog box;
        QLabel *link = box.Label1();
        QVERIFY(link->font().underline());
        QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        Qt::CursorShape during = Qt::ArrowCursor;
        env->events.pending = [&during] {
            if (QApplication::overrideCursor())
                during = QApplication::overrideCursor()->shape();
        };
        QTest::mouseClick(link, Qt::LeftButton);
        QCOMPARE(during, Qt::WaitCursor);
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        const QString page = G().AppDir + "Language/0.html";
        QCOMPARE(env->shell.calls, QStringList{page + "|C:/Tonvela"});
        QVERIFY(env->drives.get(page).contains("url=" + box.Label1Tag().toLatin1() + "'"));
    }
};

QTEST_MAIN(TestFrmOprog)
#include "tst_frmoprog.moc"
