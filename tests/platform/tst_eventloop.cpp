#include "platform/qt/QtEventLoop.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>

using namespace tv;

namespace {

constexpr int kHung = 7;

class CloseCounter : public QWidget {
public:
    int closes = 0;

protected:
    void closeEvent(QCloseEvent *event) override {
        ++closes;
        QWidget::closeEvent(event);
    }
};

// Runs the program's main loop; a loop that does not end is cut off.
int runMainLoop() {
    QTimer cutOff;
    cutOff.setSingleShot(true);
    QObject::connect(&cutOff, &QTimer::timeout, [] { QCoreApplication::exit(kHung); });
    cutOff.start(5000);
    return QApplication::exec();
}

} // namespace

// Ending the run stops every event loop of the process for good, so each case
// runs the main loop itself, the way main() does.
class TestEventLoop : public QObject {
    Q_OBJECT
private slots:
    void doEventsRunsPendingEvents() {
        QtEventLoop events;
        bool handled = false;
        QTimer::singleShot(0, this, [&] { handled = true; });
        QTRY_VERIFY((events.DoEvents(), handled));
    }

    void endBeforeTheMainLoopEndsItAtOnce() {
        QtEventLoop events;
        events.endProcess();
        QCOMPARE(runMainLoop(), 0);
    }

    void endInsideTheLoopHidesWindowsWithoutTheirHandlers() {
        QtEventLoop events;
        CloseCounter window;
        window.show();
        bool later = false;
        QTimer::singleShot(0, &window, [&] {
            events.endProcess();
            // What was still queued is not handled any more.
            QTimer::singleShot(0, &window, [&] { later = true; });
            events.DoEvents();
        });
        QCOMPARE(runMainLoop(), 0);
        QVERIFY(!later);
        QVERIFY(!window.isVisible());
        QCOMPARE(window.closes, 0);
    }
};

QTEST_MAIN(TestEventLoop)
#include "tst_eventloop.moc"
