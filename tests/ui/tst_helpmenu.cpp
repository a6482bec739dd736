// The Help menu's language dialog and the toolkit's texts that follow it (the
// about box and the help pages are seen on the desktop: test_main_window.sh).
#include "WindowKit.h"

#include "ui/FrmLang.h"
#include "ui/QtWindowPort.h"

#include <QListWidget>
#include <QPushButton>

using namespace tv;
using namespace tv::test;
using ui::FrmLang;

class TestHelpMenu : public LogicTest {
    Q_OBJECT

public:
    TestHelpMenu() : LogicTest(Lang::Russian) {}

private slots:
    // English is chosen in the list of a dialog opened in Russian, then the
    // dialog is left; only an accepting way switches the program.
    void leavingTheLanguageDialog_data() {
        columns<QString, bool>("how", "switches");
        QTest::newRow("OK") << "ok" << true;
        QTest::newRow("double-click") << "dclick" << true;
        QTest::newRow("Cancel") << "cancel" << false;
        QTest::newRow("Esc") << "esc" << false;
        QTest::newRow("OK with no row chosen") << "none" << false;
    }
    void leavingTheLanguageDialog() {
        QFETCH(QString, how);
        QFETCH(bool, switches);
        FrmLang d;
        QCOMPARE(d.List1()->currentRow(), 0);
        QTimer::singleShot(0, &d, [&d, how] {
            QVERIFY(QTest::qWaitForWindowExposed(&d));
            QListWidget *list = d.List1();
            const QPoint english = list->visualItemRect(list->item(1)).center();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, english);
            if (how == QLatin1String("dclick"))
                QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, english);
            else if (how == QLatin1String("esc"))
                QTest::keyClick(&d, Qt::Key_Escape);
            else {
                if (how == QLatin1String("none"))
                    list->clearSelection();
                QTest::mouseClick(how == QLatin1String("cancel") ? d.NO() : d.OK(), Qt::LeftButton);
            }
        });
        const bool accepted = d.exec() == QDialog::Accepted;
        QCOMPARE(accepted, switches || how == QLatin1String("none"));
        QCOMPARE(G().Language, int(switches));
        QCOMPARE(frmForma().FileNew.Caption(),
                 switches ? QStringLiteral("New") : QStringLiteral("Создать"));
    }

    // Qt's own message box buttons read in the interface's language.
    void toolkitTextsFollowTheLanguage() {
        ui::QtWindowPort port;
        P().windows = &port;
        auto yes = [] { return QCoreApplication::translate("QPlatformTheme", "&Yes"); };
        LanguageEnM();
        QCOMPARE(yes(), QStringLiteral("&Yes"));
        LanguageRuM();
        LanguageRuM();
        QCOMPARE(yes(), QStringLiteral("&Да"));
    }
};

QTEST_MAIN(TestHelpMenu)
#include "tst_helpmenu.moc"
