#include "Fakes.h"

#include "core/Forma.h"
#include "core/Globals.h"
#include "playback/Tray.h"

using namespace tv;
using tv::test::columns;

class TestTrayMouse : public QObject {
    Q_OBJECT
private slots:
    void messages_data() {
        columns<int, bool, bool, QStringList>("message", "shownBefore", "shownAfter", "windows");
        QTest::newRow("double-click while hidden") << 515 << false << true << QStringList();
        QTest::newRow("double-click while shown") << 515 << true << true << QStringList();
        QTest::newRow("right button up") << 517 << false << false << QStringList{"showTrayMenu"};
        QTest::newRow("single left click") << 514 << false << false << QStringList();
        QTest::newRow("right button down") << 516 << false << false << QStringList();
    }
    void messages() {
        QFETCH(int, message);
        QFETCH(bool, shownBefore);
        QFETCH(bool, shownAfter);
        QFETCH(QStringList, windows);
        test::LogicEnv env;
        G().ShowForm = shownBefore;
        frmForma().setVisible(shownBefore);
        int activated = 0;
        connect(&frmForma(), &Forma::activateRequested, this, [&activated] { ++activated; });

        TrayMouse(message);
        QCOMPARE(G().ShowForm, shownAfter);
        QCOMPARE(frmForma().Visible(), shownAfter);
        QCOMPARE(activated, shownAfter && !shownBefore ? 1 : 0);
        QCOMPARE(env.windows.calls, windows);
    }
};

QTEST_GUILESS_MAIN(TestTrayMouse)
#include "tst_traymouse.moc"
