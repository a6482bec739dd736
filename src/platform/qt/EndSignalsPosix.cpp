#include "platform/qt/EndSignals.h"

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace tv {

namespace {

int g_pipe[2] = {-1, -1};
constexpr int kSignals[] = {SIGTERM, SIGHUP};

// Only what is safe inside a signal handler: one write, errno kept.
extern "C" void onEndSignal(int) {
    const int saved = errno;
    const char byte = 1;
    if (::write(g_pipe[1], &byte, 1) < 0) {
        // A full pipe already holds a request.
    }
    errno = saved;
}

// A signal the process was started ignoring stays ignored: `nohup` asks
// that a closed terminal leave the program running.
void handleWith(void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : kSignals) {
        struct sigaction before {};
        if (::sigaction(signal, nullptr, &before) == 0 && before.sa_handler != SIG_IGN)
            ::sigaction(signal, &action, nullptr);
    }
}

} // namespace

EndSignals::EndSignals(QObject *parent) : QObject(parent) {
    if (::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &EndSignals::heard);
    handleWith(onEndSignal);
}

EndSignals::~EndSignals() {
    if (!m_notifier)
        return;
    handleWith(SIG_DFL);
    ::close(g_pipe[0]);
    ::close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
}

// A second signal while the run ends (it lets events run) asks nothing more.
void EndSignals::heard() {
    char bytes[16];
    while (::read(g_pipe[0], bytes, sizeof bytes) > 0) {
    }
    m_notifier->setEnabled(false);
    emit endRequested();
}

} // namespace tv
