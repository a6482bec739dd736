#include "Fakes.h"
#include "platform/qt/QtTrayIcon.h"

#include <QApplication>

using namespace tv;
using tv::test::columns;
using tv::test::row;

class TestTrayIcon : public QObject {
    Q_OBJECT
private slots:
    // Only the right button and a left double-click reach the program.
    void clicksReported_data() {
        columns<int, QString>("reason", "reported");
        row("right button", int(QSystemTrayIcon::Context), QString("right"));
        row("left double-click", int(QSystemTrayIcon::DoubleClick), QString("double"));
        row("single left click", int(QSystemTrayIcon::Trigger), QString());
        row("middle button", int(QSystemTrayIcon::MiddleClick), QString());
        row("unknown", int(QSystemTrayIcon::Unknown), QString());
    }
    void clicksReported() {
        QFETCH(int, reason);
        QtTrayIcon tray{QIcon()};
        QStringList reported;
        tray.rightClick = [&] { reported << "right"; };
        tray.doubleClick = [&] { reported << "double"; };
        emit tray.trayIcon()->activated(QSystemTrayIcon::ActivationReason(reason));
        QTEST(reported.join(' '), "reported");
        // The program's own popup opens; the icon has no menu of its own.
        QVERIFY(!tray.trayIcon()->contextMenu());
    }
};

QTEST_MAIN(TestTrayIcon)
#include "tst_trayicon.moc"
