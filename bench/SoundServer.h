#pragma once

// A sound server of the bench's own (PulseAudio on a private socket, its one
// sink a null sink) and a recording of that sink's output, to time when the
// first sound of a program started under it is heard: the first sample of the
// recording that is not silence. Programs started by the bench find the
// server through PULSE_SERVER.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QThread>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace tv::bench {

class SoundServer {
public:
    static constexpr int kRate = 48000;

    bool start(const QString &scratch) {
        const QString dir = scratch + QStringLiteral("/pulse");
        QDir().mkpath(dir);
        const QByteArray socket = QFile::encodeName(dir + QStringLiteral("/native"));
        const QByteArray home = QFile::encodeName(dir);
        m_server =
            spawn({"pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
                   "--log-target=stderr", "-L",
                   "module-native-protocol-unix auth-anonymous=1 socket=" + socket.toStdString(),
                   // Without rewinds the monitor keeps every sample, the first
                   // of each new stream among them; at the recording's rate,
                   // what is recorded is what was played, unconverted.
                   "-L", "module-null-sink sink_name=bench_null norewinds=1 rate=48000"},
                  {"HOME=" + home.toStdString(), "PULSE_RUNTIME_PATH=" + home.toStdString(),
                   "XDG_RUNTIME_DIR=" + home.toStdString()},
                  nullptr);
        for (int i = 0; i < 100 && m_server > 0 && !QFile::exists(QFile::decodeName(socket)); ++i)
            QThread::msleep(50);
        if (m_server <= 0 || !QFile::exists(QFile::decodeName(socket)))
            return false;
        qputenv("PULSE_SERVER", "unix:" + socket);
        // Each 2 ms of the sink's output, one channel.
        m_recorder = spawn({"parec", "-d", "bench_null.monitor", "--raw", "--format=s16le",
                            "--channels=1", "--rate=" + std::to_string(kRate), "--latency-msec=2"},
                           {}, &m_fd);
        return m_recorder > 0;
    }

    ~SoundServer() {
        for (pid_t pid : {m_recorder, m_server})
            if (pid > 0) {
                kill(pid, SIGTERM);
                waitpid(pid, nullptr, 0);
            }
        if (m_fd >= 0)
            ::close(m_fd);
    }

    // The recording, to poll for input.
    int fd() const { return m_fd; }

    // Drops what was recorded so far.
    void drain() {
        char buffer[1 << 14];
        while (::read(m_fd, buffer, sizeof buffer) > 0) {
        }
        m_odd.clear();
    }

    // Keeps what was recorded since, as 16-bit samples.
    void collect(std::vector<int16_t> *samples) {
        char buffer[1 << 14];
        ssize_t n;
        while ((n = ::read(m_fd, buffer, sizeof buffer)) > 0) {
            m_odd.append(buffer, size_t(n));
            for (size_t i = 0; i + 1 < m_odd.size(); i += 2)
                samples->push_back(
                    int16_t(uint16_t(uint8_t(m_odd[i]) | uint8_t(m_odd[i + 1]) << 8)));
            m_odd.erase(0, m_odd.size() & ~size_t(1));
        }
    }

    // Reads what is there; when it holds sound, how long before nowMs its
    // first sample was heard, else a negative number.
    double soundAgo() {
        char buffer[1 << 14];
        const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
        if (n <= 0)
            return -1;
        std::string data = m_odd + std::string(buffer, size_t(n));
        const size_t samples = data.size() / 2;
        m_odd = data.substr(samples * 2);
        for (size_t i = 0; i < samples; ++i) {
            const auto low = uint8_t(data[2 * i]), high = uint8_t(data[2 * i + 1]);
            const auto sample = int16_t(uint16_t(low | high << 8));
            if (std::abs(int(sample)) > kSilence)
                return double(samples - i) * 1000.0 / kRate;
        }
        return -1;
    }

private:
    // Well above the dither of a decoder, far below a song.
    static constexpr int kSilence = 300;

    // Runs a program with the extra environment; its output to a pipe when
    // asked for, the pipe's end then left non-blocking in *out.
    static pid_t spawn(const std::vector<std::string> &args, const std::vector<std::string> &env,
                       int *out) {
        int pipeFds[2] = {-1, -1};
        if (out && pipe2(pipeFds, O_CLOEXEC) != 0)
            return -1;
        const pid_t pid = fork();
        if (pid == 0) {
            for (const std::string &e : env)
                putenv(const_cast<char *>(e.c_str()));
            const int null = ::open("/dev/null", O_WRONLY);
            dup2(out ? pipeFds[1] : null, STDOUT_FILENO);
            dup2(null, STDERR_FILENO);
            std::vector<char *> argv;
            for (const std::string &a : args)
                argv.push_back(const_cast<char *>(a.c_str()));
            argv.push_back(nullptr);
            execvp(argv[0], argv.data());
            _exit(127);
        }
        if (out) {
            ::close(pipeFds[1]);
            fcntl(pipeFds[0], F_SETFL, O_NONBLOCK);
            *out = pipeFds[0];
        }
        return pid;
    }

    pid_t m_server = -1;
    pid_t m_recorder = -1;
    int m_fd = -1;
    std::string m_odd;
};

} // namespace tv::bench
