#include "platform/qt/QtEventLoop.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>

using namespace tv;

namespace {

class CloseCounter : public QWidget {
public:
    int closes = 0;

protected:
    void closeEvent(QCloseEvent *event) override {
        ++closes;
        QWidget::closeEvent(event);
    }
};

// Runs the program's main loop; one that does not end is cut off with 7.
int runMainLoop() {
    QTimer cutOff;
    cutOff.callOnTimeout([] { QCoreApplication::exit(7); });
    cutOff.start(5000);
    return QApplication::exec();
}

} // namespace

// Ending the run stops every event loop of the process for good, so each case
// runs the main loop itself, the way main() does.
class TestEventLoop : public QObject {
    Q_OBJECT
private slots:
    void endBeforeTheMainLoopEndsItAtOnce() {
        QtEventLoop events;
        events.endProcess();
        QCOMPARE(runMainLoop(), 0);
    }

    void endInsideTheLoopHandlesNothingMore() {
        QtEventLoop events;
        CloseCounter window;
        window.show();
        bool before = false, later = false;
        QTimer::singleShot(0, &window, [&] {
            QTimer::singleShot(0, &window, [&] { before = true; });
            events.DoEvents();
            events.endProcess();
            QTimer::singleShot(0, &window, [&] { later = true; });
            events.DoEvents();
        });
        QCOMPARE(runMainLoop(), 0);
        QVERIFY(before);
        QVERIFY(!later);
        // Hidden without their close handlers, which would run twice.
        QVERIFY(!window.isVisible());
        QCOMPARE(window.closes, 0);
    }
};

QTEST_MAIN(TestEventLoop)
#include "tst_eventloop.moc"
