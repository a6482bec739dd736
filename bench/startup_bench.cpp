// Time from starting the installed program to its mapped main window, against
// a bare Qt window started the same way in the same run, on a display of its
// own (Xvfb with openbox), the two started in turns. Goal: the median at most
// 1.3x the bare window's, both for a first start in an empty folder and for a
// start that reopens the last album and resumes its song. Run:
// tonvela_startup_bench [path/to/installed/tonvela] (or TV_INSTALLED_PROGRAM)

#include "BenchSupport.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>
#include <QMenuBar>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>
#include <xcb/xcb.h>

namespace {

constexpr int kRounds = 21;
constexpr int kTimeoutMs = 20000;

// The comparison: a main window with a menu bar and a client area of the
// program's size, shown as soon as the toolkit is up.
int bareWindow(int argc, char **argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("File"));
    auto *client = new QLabel(QStringLiteral("Bare"));
    client->setFixedSize(794, 502);
    window.setCentralWidget(client);
    window.layout()->setSizeConstraint(QLayout::SetFixedSize);
    window.setWindowTitle(QStringLiteral("Bare"));
    window.show();
    return app.exec();
}

// Xvfb on a display number it picks itself and writes into a file; returns
// its pid, -1 on failure.
pid_t startXvfb(const QString &numberFile, QString *display) {
    const int fd = ::open(QFile::encodeName(numberFile).constData(), O_WRONLY | O_CREAT, 0600);
    if (fd < 0)
        return -1;
    const pid_t pid = fork();
    if (pid == 0) {
        // Its notes about the display numbers it tried are of no interest here.
        const int null = ::open("/dev/null", O_WRONLY);
        if (null >= 0)
            dup2(null, STDERR_FILENO);
        const std::string number = std::to_string(fd);
        execlp("Xvfb", "Xvfb", "-displayfd", number.c_str(), "-screen", "0", "1280x1024x24",
               "-nolisten", "tcp", "-noreset", static_cast<char *>(nullptr));
        _exit(127);
    }
    ::close(fd);
    for (int i = 0; i < 200 && pid > 0; ++i) {
        QFile file(numberFile);
        const QByteArray text = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        if (text.endsWith('\n')) {
            *display = QStringLiteral(":") + QString::fromLatin1(text.trimmed());
            return pid;
        }
        QThread::msleep(50);
    }
    return -1;
}

class Desktop {
public:
    bool start(const QString &scratch) {
        m_xvfb = startXvfb(scratch + QStringLiteral("/display"), &m_display);
        if (m_xvfb < 0)
            return false;
        qputenv("DISPLAY", m_display.toLatin1());
        qputenv("QT_QPA_PLATFORM", "xcb");
        qunsetenv("TONVELA_DIALOG_ANSWERS");
        m_connection = xcb_connect(m_display.toLatin1().constData(), nullptr);
        if (xcb_connection_has_error(m_connection))
            return false;
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(m_connection);
        m_wm.start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
        return m_wm.waitForStarted() && waitForWindowManager();
    }

    ~Desktop() {
        m_wm.kill();
        m_wm.waitForFinished();
        if (m_connection)
            xcb_disconnect(m_connection);
        if (m_xvfb > 0) {
            kill(m_xvfb, SIGTERM);
            waitpid(m_xvfb, nullptr, 0);
        }
    }

    // Milliseconds from the start of the program to the first window mapped
    // on the screen; -1 when none came.
    double timeToWindow(const QString &program, const QStringList &arguments,
                        const QString &folder) {
        drain();
        QProcess run;
        run.setWorkingDirectory(folder);
        run.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QElapsedTimer timer;
        timer.start();
        run.start(program, arguments);
        double ms = -1;
        while (timer.elapsed() < kTimeoutMs && ms < 0) {
            pollfd fd{xcb_get_file_descriptor(m_connection), POLLIN, 0};
            poll(&fd, 1, 50);
            while (xcb_generic_event_t *event = xcb_poll_for_event(m_connection)) {
                if ((event->response_type & 0x7F) == XCB_MAP_NOTIFY && ms < 0)
                    ms = double(timer.nsecsElapsed()) / 1e6;
                std::free(event);
            }
        }
        run.kill();
        run.waitForFinished();
        return ms;
    }

private:
    bool waitForWindowManager() {
        const char name[] = "_NET_SUPPORTING_WM_CHECK";
        xcb_intern_atom_reply_t *atom = xcb_intern_atom_reply(
            m_connection, xcb_intern_atom(m_connection, 0, sizeof name - 1, name), nullptr);
        if (!atom)
            return false;
        bool ready = false;
        for (int i = 0; i < 100 && !ready; ++i) {
            xcb_get_property_reply_t *reply = xcb_get_property_reply(
                m_connection,
                xcb_get_property(m_connection, 0, m_root, atom->atom, XCB_ATOM_WINDOW, 0, 1),
                nullptr);
            ready = reply && xcb_get_property_value_length(reply) > 0;
            std::free(reply);
            if (!ready)
                QThread::msleep(100);
        }
        std::free(atom);
        QThread::msleep(300);
        return ready;
    }

    // Lets the windows of the previous run go before the next one starts.
    void drain() {
        QThread::msleep(300);
        while (xcb_generic_event_t *event = xcb_poll_for_event(m_connection))
            std::free(event);
    }

    pid_t m_xvfb = -1;
    QString m_display;
    QProcess m_wm;
    xcb_connection_t *m_connection = nullptr;
    xcb_window_t m_root = 0;
};

void writeLines(const QString &path, const QStringList &lines) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return;
    for (const QString &line : lines)
        file.write(line.toUtf8() + "\r\n");
}

// A program folder with its own copy of the program; with resume, an album
// of three songs that the settings reopen at its second song.
QString programFolder(const QString &under, const QString &program, bool resume, int round) {
    const QString dir =
        under + QStringLiteral("/%1-%2").arg(resume ? "resume" : "first").arg(round);
    QDir().mkpath(dir);
    // The installed program folder: the program and its own files.
    const QDir installed = QFileInfo(program).dir();
    for (const QString &name : installed.entryList(QDir::Files))
        QFile::copy(installed.filePath(name), dir + QLatin1Char('/') + name);
    if (resume) {
        const QString data = QStringLiteral("Z:" TV_TEST_DATA "/");
        writeLines(dir + QStringLiteral("/rock.alb"),
                   {QStringLiteral(" 3 "), "One" + data + "tone-10s.mp3",
                    "Two" + data + "tone-10s.mp3", "Three" + data + "tone-3s.mp3"});
        writeLines(dir + QString::fromUtf8("/Тонвела для mp3.ini"),
                   {"[albom]", " 0 ", "rock.alb", " 1 ", "[showform]", "True", "[nameendalbom]",
                    "rock.alb"});
    }
    return dir;
}

// The best of the rounds (what the start costs when nothing else on the
// machine gets in its way) and the median (the start as it usually goes).
struct Times {
    double best, median;
};
Times times(const std::vector<double> &values) {
    if (values.empty() || *std::min_element(values.begin(), values.end()) < 0)
        return {-1, -1};
    return {*std::min_element(values.begin(), values.end()), tv::bench::median(values)};
}

} // namespace

int main(int argc, char **argv) {
    if (argc > 1 && std::strcmp(argv[1], "--bare") == 0)
        return bareWindow(argc, argv);
    QCoreApplication app(argc, argv);
    // `make bench` installs the program and names it here; by default the
    // build's own executable stands for it.
    QString program = qEnvironmentVariable("TV_INSTALLED_PROGRAM", QStringLiteral(TV_PROGRAM));
    if (argc > 1)
        program = QString::fromLocal8Bit(argv[1]);
    QTemporaryDir scratch;
    // The one-copy locks of the program go there too.
    qputenv("TMPDIR", scratch.path().toLocal8Bit());
    Desktop desktop;
    if (!desktop.start(scratch.path())) {
        std::fprintf(stderr, "no display (Xvfb and openbox are needed)\n");
        return 1;
    }
    std::vector<double> bare, first, resume;
    for (int round = 0; round < kRounds; ++round) {
        bare.push_back(desktop.timeToWindow(QCoreApplication::applicationFilePath(),
                                            {QStringLiteral("--bare")}, scratch.path()));
        for (bool resumes : {false, true}) {
            const QString dir = programFolder(scratch.path(), program, resumes, round);
            (resumes ? resume : first)
                .push_back(desktop.timeToWindow(dir + QStringLiteral("/tonvela"), {}, dir));
        }
    }
    const Times b = times(bare), f = times(first), r = times(resume);
    if (b.best <= 0 || f.best <= 0 || r.best <= 0) {
        std::fprintf(stderr, "a window did not show within %d ms\n", kTimeoutMs);
        return 1;
    }
    std::printf("time to the mapped window over %d rounds, best and median:\n", kRounds);
    std::printf("  bare Qt window                       %6.1f ms %6.1f ms\n", b.best, b.median);
    std::printf("  first start, empty folder            %6.1f ms %6.1f ms\n", f.best, f.median);
    std::printf("  reopening an album, resuming a song  %6.1f ms %6.1f ms\n", r.best, r.median);
    tv::bench::Goals goals;
    goals.atMost("first start, median ratio to the bare window", f.median / b.median, 1.3, "x");
    goals.atMost("reopening and resuming, median ratio to the bare window", r.median / b.median,
                 1.3, "x");
    return goals.exitCode();
}
