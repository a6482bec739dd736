// The end of the run: whatever loop or handler it is called from, the
// process ends right there with status 0, and nothing after it runs.
#include "Fakes.h"
#include "platform/qt/QtEventLoop.h"

#include <QApplication>
#include <QMouseEvent>
#include <QProcess>
#include <QTimer>
#include <cstdio>

using namespace tv;
using tv::test::columns;

namespace {

void say(const char *word) {
    std::fputs(word, stdout);
    std::fputc('|', stdout);
}

// Ends the run from inside its own mouse handler after deleting itself, as
// the tray icon's window is deleted by the shutdown its right click starts.
class SelfRemoving : public QWidget {
public:
    explicit SelfRemoving(QtEventLoop &events) : m_events(events) {}

protected:
    void mousePressEvent(QMouseEvent *) override {
        QtEventLoop &events = m_events;
        delete this;
        events.endProcess();
    }

private:
    QtEventLoop &m_events;
};

// The run of one case in a process of its own; it prints what it reached.
int runCase(int argc, char **argv, const QString &name) {
    QApplication app(argc, argv);
    QtEventLoop events;
    events.setLastStep([] { say("last step"); });
    QWidget window;
    window.show();
    say("started");
    if (name == "before the main loop") {
        events.endProcess();
    } else if (name == "in the handler of a deleted window") {
        auto *tray = new SelfRemoving(events);
        tray->show();
        QTimer::singleShot(0, tray, [tray] {
            QMouseEvent press(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(1, 1),
                              Qt::RightButton, Qt::RightButton, Qt::NoModifier);
            QApplication::sendEvent(tray, &press);
            say("after the click");
        });
    }
    const int status = app.exec();
    say("main loop ended");
    return status;
}

} // namespace

class TestEventLoop : public QObject {
    Q_OBJECT
private slots:
    void endsTheProcessWhereItIsCalled_data() {
        columns<QString>("name");
        // Inside a message box's or a popup menu's loop: test_ways_out.sh.
        for (const char *name : {"before the main loop", "in the handler of a deleted window"})
            QTest::newRow(name) << QString(name);
    }
    void endsTheProcessWhereItIsCalled() {
        QFETCH(QString, name);
        QProcess run;
        run.start(QCoreApplication::applicationFilePath(), {"--case", name});
        QVERIFY(run.waitForFinished(10000));
        QCOMPARE(run.exitStatus(), QProcess::NormalExit);
        QCOMPARE(run.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(run.readAllStandardOutput()), "started|last step|");
    }
};

int main(int argc, char **argv) {
    if (argc == 3 && qstrcmp(argv[1], "--case") == 0)
        return runCase(argc, argv, QString::fromLocal8Bit(argv[2]));
    QCoreApplication app(argc, argv);
    TestEventLoop tests;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tests, argc, argv);
}

#include "tst_eventloop.moc"
