#pragma once

// Ports that do nothing, for benchmarks that time the album code alone:
// the player holds its address, every box is answered at once, no events
// run, the tray is there or not as asked.

#include "platform/Ports.h"

namespace tv::bench {

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
