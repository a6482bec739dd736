#include "WindowKit.h"

#include "core/Language.h"
#include "ui/FrmLang.h"
#include "ui/QtWindowPort.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

using namespace tv;
using namespace tv::test;
using ui::FrmLang;

class TestFrmLang : public QObject {
    Q_OBJECT
    std::unique_ptr<LogicEnv> env;

    // The dialog opened modally, driven from inside its own event loop.
    static int runDialog(std::function<void(FrmLang &)> act) {
        FrmLang dialog;
        QTimer::singleShot(0, &dialog, [&dialog, act] {
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            act(dialog);
        });
        return dialog.exec();
    }

private slots:
    void init() {
        env = std::make_unique<LogicEnv>();
        LanguageRuM();
    }
    void cleanup() { env.reset(); }

    void opensInTheCurrentLanguage_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("cancel");
        QTest::newRow("Russian") << 0 << "Выбор языка"
                                 << "Отмена";
        QTest::newRow("English") << 1 << "Select of language"
                                 << "Cancel";
    }
    void opensInTheCurrentLanguage() {
        QFETCH(int, language);
        QFETCH(QString, caption);
        QFETCH(QString, cancel);
        frmLang_OK(language);
        FrmLang dialog;
        QCOMPARE(dialog.windowTitle(), caption);
        QCOMPARE(dialog.NO()->text(), cancel);
        QCOMPARE(dialog.OK()->text(), QStringLiteral("OK"));
        QCOMPARE(dialog.List1()->currentRow(), language);
        QCOMPARE(dialog.List1()->count(), 2);
        QCOMPARE(dialog.List1()->item(0)->text(), QStringLiteral("Русский"));
        QCOMPARE(dialog.List1()->item(1)->text(), QStringLiteral("English"));
        QVERIFY(dialog.OK()->isDefault());
    }

    void designSize() {
        FrmLang dialog;
        QCOMPARE(dialog.size(), QSize(250, 122));
        QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
        QCOMPARE(dialog.List1()->geometry(), QRect(8, 8, 233, 64));
        QCOMPARE(dialog.OK()->geometry(), QRect(72, 80, 81, 33));
        QCOMPARE(dialog.NO()->geometry(), QRect(160, 80, 81, 33));
    }

    // Whatever way the dialog is left without OK, nothing changes.
    void leavingWithoutOkChangesNothing_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("Cancel") << "cancel";
        QTest::newRow("Esc") << "esc";
        QTest::newRow("close box") << "close";
    }
    void leavingWithoutOkChangesNothing() {
        QFETCH(QString, how);
        const int result = runDialog([how](FrmLang &d) {
            d.List1()->setCurrentRow(1);
            if (how == QLatin1String("cancel"))
                QTest::mouseClick(d.NO(), Qt::LeftButton);
            else if (how == QLatin1String("esc"))
                QTest::keyClick(&d, Qt::Key_Escape);
            else
                d.close();
        });
        QCOMPARE(result, int(QDialog::Rejected));
        QCOMPARE(G().Language, 0);
        QCOMPARE(frmForma().FileNew.Caption(), QStringLiteral("Создать"));
        QVERIFY(!env->windows.calls.contains(QStringLiteral("language:1")));
    }

    void okSwitchesTheLanguage() {
        const int result = runDialog([](FrmLang &d) {
            d.List1()->setCurrentRow(1);
            QTest::mouseClick(d.OK(), Qt::LeftButton);
            QVERIFY(!d.OK()->isEnabled());
            QVERIFY(!d.NO()->isEnabled());
        });
        QCOMPARE(result, int(QDialog::Accepted));
        QCOMPARE(G().Language, 1);
        QCOMPARE(frmForma().FileNew.Caption(), QStringLiteral("New"));
        QCOMPARE(G().strTitle, QStringLiteral("Tonvela for MP3"));
    }

    void enterIsOk() {
        runDialog([](FrmLang &d) {
            d.List1()->setCurrentRow(1);
            QTest::keyClick(d.List1(), Qt::Key_Return);
        });
        QCOMPARE(G().Language, 1);
    }

    void doubleClickAppliesTheRow() {
        frmLang_OK(1);
        const int result = runDialog([](FrmLang &d) {
            const QRect row = d.List1()->visualItemRect(d.List1()->item(0));
            QTest::mouseClick(d.List1()->viewport(), Qt::LeftButton, {}, row.center());
            QTest::mouseDClick(d.List1()->viewport(), Qt::LeftButton, {}, row.center());
        });
        QCOMPARE(result, int(QDialog::Accepted));
        QCOMPARE(G().Language, 0);
        QCOMPARE(frmForma().FileNew.Caption(), QStringLiteral("Создать"));
    }

    // With no row chosen, OK closes and changes nothing.
    void okWithoutARowChangesNothing() {
        runDialog([](FrmLang &d) {
            d.List1()->clearSelection();
            QTest::mouseClick(d.OK(), Qt::LeftButton);
        });
        QCOMPARE(G().Language, 0);
        QCOMPARE(frmForma().FileNew.Caption(), QStringLiteral("Создать"));
    }
};

// The window port: the main window, the title page, the toolkit's language.
class TestQtWindowPort : public QObject {
    Q_OBJECT
    std::unique_ptr<LogicEnv> env;
    std::unique_ptr<ui::QtWindowPort> port;

private slots:
    void init() {
        env = std::make_unique<LogicEnv>();
        port = std::make_unique<ui::QtWindowPort>();
        P().windows = port.get();
    }
    void cleanup() {
        port.reset();
        env.reset();
    }

    void loadsTheMainWindowHiddenOnce() {
        port->loadForma();
        ui::FormaWindow *first = port->forma();
        QVERIFY(first);
        QVERIFY(!first->isVisible());
        port->loadForma();
        QCOMPARE(port->forma(), first);
        port->startBanner();
        QCOMPARE(first->usrReklamaX1()->text(), QStringLiteral("Тонвела для MP3"));
    }

    // Message box buttons read in the interface's language.
    void toolkitTextsFollowTheLanguage() {
        const QString yes = QStringLiteral("&Yes");
        auto shown = [&yes] { return QCoreApplication::translate("QPlatformTheme", "&Yes"); };
        LanguageRuM();
        QCOMPARE(shown(), QStringLiteral("&Да"));
        LanguageEnM();
        QCOMPARE(shown(), yes);
        LanguageRuM();
        LanguageRuM();
        QCOMPARE(shown(), QStringLiteral("&Да"));
    }

    void showLangIsModal() {
        port->loadForma();
        QWidget *seen = nullptr;
        QTimer::singleShot(0, [&seen] {
            seen = QApplication::activeModalWidget();
            if (seen)
                seen->close();
        });
        port->showLang();
        QVERIFY(seen);
        QCOMPARE(seen->objectName(), QStringLiteral("frmLang"));
    }

    void aSecondCopyBringsTheHiddenWindowBack() {
        port->loadForma();
        G().ShowForm = false;
        port->bringForward();
        QVERIFY(port->forma()->isVisible());
        QVERIFY(G().ShowForm);
        QVERIFY(frmForma().Visible());
    }
};

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    TestFrmLang lang;
    TestQtWindowPort port;
    return QTest::qExec(&lang, argc, argv) | QTest::qExec(&port, argc, argv);
}

#include "tst_frmlang.moc"
