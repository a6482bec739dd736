// The tray icon's mouse messages (its popup menu's enabling: tst_menurules).
#include "LogicTest.h"

#include "core/Forma.h"
#include "core/Globals.h"
#include "playback/NewPlayM.h"
#include "playback/PlayerCommands.h"
#include "playback/Tray.h"

using namespace tv;
using namespace tv::test;

class TestTray : public LogicTest {
    Q_OBJECT
private slots:
    void mouseMessages_data() {
        columns<int, bool, bool, QStringList>("message", "shownBefore", "shownAfter", "windows");
        row("double-click while hidden", 515, false, true, QStringList());
        row("double-click while shown", 515, true, true, QStringList());
        row("right button up", 517, false, false, QStringList{"showTrayMenu"});
    }
    void mouseMessages() {
        QFETCH(int, message);
        QFETCH(bool, shownBefore);
        QFETCH(bool, shownAfter);
        G().ShowForm = shownBefore;
        frmForma().setVisible(shownBefore);
        int activated = 0;
        connect(&frmForma(), &Forma::activateRequested, this, [&activated] { ++activated; });
        TrayMouse(message);
        QCOMPARE(G().ShowForm, shownAfter);
        QCOMPARE(frmForma().Visible(), shownAfter);
        QCOMPARE(activated, shownAfter && !shownBefore ? 1 : 0);
        QTEST(env->windows.calls, "windows");
        QCOMPARE(env->tray.calls, QStringList());
    }
};

QTEST_GUILESS_MAIN(TestTray)
#include "tst_tray.moc"
