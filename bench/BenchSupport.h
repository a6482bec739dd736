#pragma once

// What the benchmarks share: albums to time, the floor of reading tags, the
// sizes asked for, and ports that do nothing, for benchmarks that time the
// album code alone: the player holds its address, every box is answered at
// once, no events run, the tray is there or not as asked.

#include "platform/Ports.h"

#include <QElapsedTimer>
#include <QList>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace tv::bench {

// Cyrillic titles and paths, as a Russian collection has them.
inline QStringList cyrillicAlbum(int count) {
    QStringList songs;
    songs.reserve(count);
    for (int i = 0; i < count; ++i)
        songs << QString::fromUtf8("Исполнитель %1 - Песня, часть: %2C:/Музыка/Альбом %3/%2.mp3")
                     .arg(i % 97)
                     .arg(i)
                     .arg(i / 20);
    return songs;
}

// The floor of reading titles: each file's last 128 bytes, at the least cost.
inline long tagFloor(const std::vector<std::string> &paths) {
    long sum = 0;
    char tag[128];
    for (const std::string &path : paths) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat st {};
        if (::fstat(fd, &st) == 0 && st.st_size >= 128 &&
            ::pread(fd, tag, sizeof tag, st.st_size - 128) == 128)
            sum += tag[3];
        ::close(fd);
    }
    return sum;
}

// The floor of reading titles from tags at the start: open, the 10-byte
// header, the tag's bytes as the header sizes them, close.
inline long tagV2Floor(const std::vector<std::string> &paths) {
    long sum = 0;
    std::vector<char> tag;
    for (const std::string &path : paths) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            continue;
        unsigned char header[10];
        if (::pread(fd, header, sizeof header, 0) == sizeof header) {
            size_t size = 0;
            for (int i = 6; i < 10; ++i)
                size = size << 7 | (header[i] & 0x7f);
            tag.resize(size);
            if (::pread(fd, tag.data(), size, sizeof header) == ssize_t(size) && size > 0)
                sum += tag[0];
        }
        ::close(fd);
    }
    return sum;
}

// The sizes named on the command line, or the defaults.
inline QList<int> sizesFrom(int argc, char **argv, const QList<int> &defaults) {
    QList<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes << QString::fromLocal8Bit(argv[i]).toInt();
    return sizes.isEmpty() ? defaults : sizes;
}

inline double msSince(const QElapsedTimer &timer) {
    return double(timer.nsecsElapsed()) / 1e6;
}

inline double msOf(const std::function<void()> &work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return msSince(timer);
}

// The middle value: what a run usually costs, where the best would only say
// what it costs when nothing else on the machine gets in its way.
inline double median(std::vector<double> values) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

// The median of each measure over the rounds, the measures taken in turns so
// that a busy spell of the machine weighs on all of them alike.
inline std::vector<double> medianOfRounds(int rounds,
                                          const std::vector<std::function<double()>> &measures) {
    std::vector<std::vector<double>> times(measures.size());
    for (int round = 0; round < rounds; ++round)
        for (size_t i = 0; i < measures.size(); ++i)
            times[i].push_back(measures[i]());
    std::vector<double> medians;
    for (const std::vector<double> &t : times)
        medians.push_back(median(t));
    return medians;
}

// The goals of one bench: each result is printed beside its goal, and the
// bench's exit status says whether all of them were met, naming those missed.
class Goals {
public:
    // A value that must stay at or under its goal (a time, a ratio, a size).
    void atMost(const std::string &what, double value, double goal, const char *unit) {
        goal *= goalFactor();
        const bool met = value <= goal;
        const int digits = digitsApart(value, goal);
        std::printf("  %-58s %9.*f %-4s (goal <= %.*f)%s\n", what.c_str(), digits, value, unit,
                    digits, goal, met ? "" : "  MISSED");
        if (!met)
            m_missed.push_back(what);
    }
    // A result the times mean nothing without (the songs were all read...).
    void holds(const std::string &what, bool ok) {
        if (!ok) {
            std::printf("  %s: FAILED\n", what.c_str());
            m_missed.push_back(what);
        }
    }
    int exitCode() const {
        for (const std::string &what : m_missed)
            std::fprintf(stderr, "goal missed: %s\n", what.c_str());
        return m_missed.empty() ? 0 : 1;
    }

private:
    // TV_BENCH_GOALS scales every goal: 0.5 halves them all, so a run shows
    // that a missed goal fails the bench.
    static double goalFactor() {
        const char *factor = std::getenv("TV_BENCH_GOALS");
        return factor && *factor ? std::atof(factor) : 1.0;
    }
    // Enough decimals that a value and its goal never print alike unless they
    // are: a miss by a hair must not read like a pass.
    static int digitsApart(double value, double goal) {
        int digits = 2;
        while (digits < 6 && value != goal && formatted(value, digits) == formatted(goal, digits))
            ++digits;
        return digits;
    }
    static std::string formatted(double value, int digits) {
        char text[64];
        std::snprintf(text, sizeof text, "%.*f", digits, value);
        return text;
    }

    std::vector<std::string> m_missed;
};

class SilentPlayer : public MediaPlayer {
public:
    explicit SilentPlayer(int state = Stopped) : m_state(state) {}
    void setURL(const QString &path) override { m_url = path; }
    QString URL() const override { return m_url; }
    int playState() const override { return m_state; }
    void play() override {}
    void pause() override {}
    void setCurrentPosition(double) override {}
    double currentPosition() const override { return 0; }
    void stop() override {}
    double volume() const override { return 1; }
    void setVolume(double) override {}
    double duration() const override { return 0; }
    void setNextURL(const QString &) override {}

private:
    int m_state;
    QString m_url;
};

class SilentDialogs : public Dialogs {
public:
    int MsgBox(const QString &, int, const QString &) override { return vbOK; }
    QString fileDialog(bool, const QString &, const QString &, const QList<FileFilter> &) override {
        return {};
    }
};

class NoEvents : public EventLoop {
public:
    void DoEvents() override {}
    void endProcess() override {}
};

class NoTray : public TrayIcon {
public:
    explicit NoTray(bool available = false) : m_available(available) {}
    bool available() const override { return m_available; }
    void add(const QString &) override {}
    void setTip(const QString &) override {}
    void remove() override {}

private:
    bool m_available;
};

// Installs the silent ports over the given file system until it goes.
class SilentPorts {
public:
    SilentPorts(FileSystem &fs, int playState = MediaPlayer::Stopped, bool tray = false)
        : player(playState), trayIcon(tray) {
        P().player = &player;
        P().dialogs = &dialogs;
        P().fs = &fs;
        P().events = &events;
        P().tray = &trayIcon;
    }
    ~SilentPorts() { P() = Ports{}; }
    SilentPorts(const SilentPorts &) = delete;
    SilentPorts &operator=(const SilentPorts &) = delete;

    SilentPlayer player;
    SilentDialogs dialogs;
    NoEvents events;
    NoTray trayIcon;
};

} // namespace tv::bench
