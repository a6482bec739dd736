// The Help menu's windows: the language dialog, the about box (its look is
// checked on its screenshot and on the desktop, test_main_window.sh; here, its
// texts and its link) and the help pages installed beside the program.
#include "WindowKit.h"

#include "core/FormCommands.h"
#include "ui/FrmLang.h"
#include "ui/FrmOprog.h"
#include "ui/QtWindowPort.h"

#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTextDocument>

using namespace tv;
using namespace tv::test;
using ui::FrmLang;
using ui::FrmOprog;

class TestHelpMenu : public LogicTest {
    Q_OBJECT
    void setUp() override { makeLanguageFolder(); }

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

    // In either language: the about box's caption follows it, its lines stay
    // as designed; the help page of the language names every menu item by the
    // caption the user sees, and every link of it leads somewhere on it.
    void inEitherLanguage_data() {
        columns<int, QString, QString>("language", "caption", "file");
        row("Russian", 0, QString("О программе"), QString("Help_ru.htm"));
        row("English", 1, QString("About the program"), QString("Help_en.htm"));
    }
    void inEitherLanguage() {
        QFETCH(int, language);
        QFETCH(QString, file);
        G().Language = language;
        applyLanguage();
        FrmOprog box;
        QTEST(box.windowTitle(), "caption");
        QCOMPARE(box.Label2(5)->text(), QString("Сайт:"));

        QCOMPARE(G().strHelpFile, file);
        QFile page(QStringLiteral(TV_TEST_DATA "/../../resources/install/") + file);
        QVERIFY(page.open(QIODevice::ReadOnly));
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString html = utf8(page.readAll());
        QVERIFY(!html.isEmpty() && !utf8.hasError());
        QVERIFY(html.contains("<meta charset=\"utf-8\">"));
        QTextDocument document;
        document.setHtml(html);
        const QString text = document.toPlainText();
        for (MenuItem *item : frmForma().menuItems()) {
            if (item == &frmForma().pMenu)
                continue;
            QVERIFY2(text.contains(item->Caption()), qPrintable(item->Caption()));
        }
        for (const char *part : {"Тонвела для mp3.ini", ".alb", "Z:", "Language"})
            QVERIFY2(text.contains(QString::fromUtf8(part)), part);
        const QRegularExpression href("href=\"#([^\"]+)\"");
        for (const QRegularExpressionMatch &m : href.globalMatch(html))
            QVERIFY2(html.contains("id=\"" + m.captured(1) + "\""), qPrintable(m.captured(1)));
    }

};

QTEST_MAIN(TestHelpMenu)
#include "tst_helpmenu.moc"
