#pragma once

#include "FakeBus.h"
#include "FakeWeb.h"
#include "core/AlbumList.h"
#include "core/Forma.h"
#include "core/Globals.h"
#include "core/TextLines.h"
#include "platform/Ports.h"
#include "platform/qt/DriveFileSystem.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QQueue>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>
#include <sys/stat.h>
#include <utility>

namespace tv::test {

// A player that changes state at once, as the real one does in time.
// setURL starts the file by itself (autoStart); finish() ends it.
class FakePlayer : public MediaPlayer {
    Q_OBJECT
public:
    void setURL(const QString &path) override {
        calls << QStringLiteral("url:") + path;
        m_url = path;
        m_next.clear();
        m_position = 0;
        know(0);
        setState(Transitioning);
        setState(Playing);
    }
    QString URL() const override { return m_url; }
    int playState() const override { return m_state; }
    void play() override {
        calls << QStringLiteral("play");
        if (!m_url.isEmpty())
            setState(Playing);
    }
    void pause() override {
        calls << QStringLiteral("pause");
        if (m_state == Playing || m_state == Transitioning)
            setState(Paused);
    }
    void setCurrentPosition(double seconds) override {
        calls << QStringLiteral("pos:%1").arg(seconds);
        emit seeked(m_position = seconds);
    }
    double currentPosition() const override { return m_position; }
    void stop() override {
        calls << QStringLiteral("stop");
        if (!m_url.isEmpty())
            setState(Stopped);
    }
    double volume() const override { return m_volume; }
    void setVolume(double volume) override {
        calls << QStringLiteral("volume:%1").arg(volume);
        if (volume != m_volume)
            emit volumeChanged(m_volume = volume);
    }
    double duration() const override { return m_duration; }
    void setNextURL(const QString &path) override {
        calls << QStringLiteral("next:") + path;
        m_next = path;
    }

    // The loaded file nears its end and the player asks for the next.
    void nearEnd() { emit aboutToFinish(); }
    // The file given to follow is heard now; without one, the file ends.
    void join() {
        if (m_next.isEmpty()) {
            finish();
            return;
        }
        m_url = std::exchange(m_next, QString());
        m_position = 0;
        emit nextStarted();
    }
    QString next() const { return m_next; }

    // The player has read the file's length.
    void know(double seconds) {
        if (seconds != m_duration)
            emit durationChanged(m_duration = seconds);
    }
    // The file played to its end (or the control bar's stop was pressed).
    void finish() { setState(Stopped); }
    // Put the player into a state without the calls that lead there.
    void force(int state) { setState(state); }

    QStringList calls; // "pause", "url:<path>", "play", "pos:<s>", "stop", "next:<path>"

private:
    void setState(int state) {
        if (state != m_state)
            emit PlayStateChange(m_state = state);
    }
    QString m_url;
    QString m_next;
    int m_state = Undefined;
    double m_position = 0;
    double m_volume = 1;
    double m_duration = 0;
};

class FakeEvents : public EventLoop {
public:
    void DoEvents() override {
        ++doEvents;
        runPending();
    }
    void endProcess() override { ++ended; }
    int doEvents = 0;
    int ended = 0;
    // Runs inside DoEvents: an event that arrives in the middle of a routine.
    std::function<void()> pending;
    // When set, gets "<" as events start to run and ">" when they are done.
    QStringList *trace = nullptr;

    // A question, a file dialog or a modal window is up: its own event loop
    // runs what is pending, as DoEvents does.
    void nestedLoop() {
        ++nested;
        runPending();
    }
    int nested = 0;

private:
    void runPending() {
        if (trace)
            *trace << QStringLiteral("<");
        if (auto run = std::exchange(pending, nullptr))
            run();
        if (trace)
            *trace << QStringLiteral(">");
    }
};

struct MsgCall {
    QString prompt;
    int style;
    QString title;
};

struct FileDialogCall {
    bool isSave;
    QString dir;
    QString fileName;
};

// Answers message boxes and file dialogs from queues. A message box with no
// queued answer is answered with its first button (OK, Yes). While one is up
// the events pending run, as in the real dialog's own loop.
class FakeDialogs : public Dialogs {
public:
    int MsgBox(const QString &prompt, int style, const QString &title) override {
        msgs.append({prompt, style, title});
        if (onMsg)
            onMsg(msgs.last());
        if (events)
            events->nestedLoop();
        if (!answers.isEmpty())
            return answers.dequeue();
        const int buttons = style & 7;
        return buttons == vbYesNo || buttons == vbYesNoCancel ? vbYes : vbOK;
    }
    QString fileDialog(bool isSave, const QString &dir, const QString &fileName,
                       const QList<FileFilter> &) override {
        fileCalls.append({isSave, dir, fileName});
        if (events)
            events->nestedLoop();
        return files.isEmpty() ? QString() : files.dequeue();
    }

    QQueue<int> answers;
    QQueue<QString> files;
    QList<MsgCall> msgs;
    QList<FileDialogCall> fileCalls;
    // Runs when a message box shows, before it is answered (e.g. to look at state).
    std::function<void(const MsgCall &)> onMsg;
    FakeEvents *events = nullptr;
};

class FakeTray : public TrayIcon {
public:
    bool available() const override { return hasArea; }
    void add(const QString &tip) override { calls << QStringLiteral("add:") + tip; }
    void setTip(const QString &tip) override { calls << QStringLiteral("tip:") + tip; }
    void remove() override { calls << QStringLiteral("remove"); }
    bool hasArea = true;
    QStringList calls;
};

// Modal windows run the events pending while they are up.
class FakeWindows : public WindowPort {
public:
    void loadForma() override { calls << QStringLiteral("loadForma"); }
    void startBanner() override { calls << QStringLiteral("startBanner"); }
    void languageChanged(int l) override { calls << QStringLiteral("language:%1").arg(l); }
    void showAddFile() override {
        modal(QStringLiteral("showAddFile"));
        if (onAddFile)
            onAddFile();
    }
    void showLang() override { modal(QStringLiteral("showLang")); }
    void showFound() override { modal(QStringLiteral("showFound")); }
    void showChange() override { modal(QStringLiteral("showChange")); }
    void showNewDisk() override { modal(QStringLiteral("showNewDisk")); }
    void showOprog() override { modal(QStringLiteral("showOprog")); }
    void showTrayMenu() override { modal(QStringLiteral("showTrayMenu")); }
    void showListAlbom() override { calls << QStringLiteral("showListAlbom"); }
    QStringList calls;
    std::function<void()> onAddFile;
    // Runs while a modal window is up, after the events pending: what the
    // user does in it ("showChange" ...).
    std::function<void(const QString &call)> onModal;
    FakeEvents *events = nullptr;

private:
    void modal(const QString &call) {
        calls << call;
        if (events)
            events->nestedLoop();
        if (onModal)
            onModal(call);
    }
};

// Records what it opens and starts ("<target>|<folder>", "start:<program>
// <arguments>|<folder>"); finds the programs named in installed, in /usr/bin.
class FakeShell : public Shell {
public:
    bool open(const QString &target, const QString &workDir) override {
        calls << target + QLatin1Char('|') + workDir;
        return true;
    }
    QString windowsDirectory() const override { return windowsDir; }
    ProgramCommand findProgram(const QList<ProgramCommand> &candidates) const override {
        for (const ProgramCommand &candidate : candidates)
            if (installed.contains(candidate.program))
                return {QStringLiteral("/usr/bin/") + candidate.program, candidate.arguments};
        return {};
    }
    bool start(const ProgramCommand &command, const QString &workDir) override {
        calls << QStringLiteral("start:") +
                     (QStringList{command.program} + command.arguments).join(' ') +
                     QLatin1Char('|') + workDir;
        return true;
    }
    QStringList calls;
    QString windowsDir;
    QStringList installed;
};

class FakeGuard : public InstanceGuard {
public:
    bool acquire(const QString &dir, const QStringList &files) override {
        handed = dir + QLatin1Char('|') + files.join(QLatin1Char('|'));
        return first;
    }
    void startedUp() override { handed += QStringLiteral("|started up"); }
    bool first = true;
    QString handed; // the folder and the files of the last acquire, then the start-up's end
};

// Drives over temporary folders: letter -> <tmp>/<letter>.
class TempDrives {
public:
    explicit TempDrives(const QStringList &letters = {"C", "E", "F", "Z"}) {
        QList<Drive> table;
        for (const QString &l : letters) {
            table.append({l, m_dir.path() + QLatin1Char('/') + l});
            QDir().mkpath(table.last().root);
        }
        m_fs = std::make_unique<DriveFileSystem>(table);
    }
    DriveFileSystem &fs() { return *m_fs; }
    QString native(const QString &lettered) const { return m_fs->toNative(lettered); }
    // Writes a file (creating folders) at a lettered path.
    void put(const QString &lettered, const QByteArray &bytes = "mp3") {
        const QString path = native(lettered);
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
    }
    // What a reader must refuse at a lettered path: "fifo", a link to a
    // device ("/dev/zero"), or a sparse file of "<n> bytes".
    void putOdd(const QString &lettered, const QString &what) {
        const QString path = native(lettered);
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        const bool made =
            what == QLatin1String("fifo") ? ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0
            : what.startsWith('/')
                ? QFile::link(what, path)
                : f.open(QIODevice::WriteOnly) && f.resize(what.split(' ')[0].toLongLong());
        if (!made)
            qFatal("cannot make %s at %s", qPrintable(what), qPrintable(path));
    }
    QByteArray get(const QString &lettered) const { // empty when missing
        QFile f(native(lettered));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<DriveFileSystem> m_fs;
};

// A fresh process for a logic test: globals and main window reset, every port
// a fake, AppDir = "C:/Tonvela/" with "/" as PathSep.
struct LogicEnv {
    LogicEnv() {
        resetGlobals();
        resetForma();
        P() = Ports{&player, &dialogs, &drives.fs(), &events, &shell,
                    &tray,   &windows, &guard,       &bus,    &web};
        G().AppDir = G().ProgramDir = QStringLiteral("C:/Tonvela/");
        G().PathSep = QStringLiteral("/");
        G().strDir = G().AppDir;
        QDir().mkpath(drives.native(G().AppDir));
        dialogs.events = windows.events = &events;
    }
    ~LogicEnv() {
        resetForma();
        P() = Ports{};
    }

    TempDrives drives;
    FakePlayer player;
    FakeDialogs dialogs;
    FakeEvents events;
    FakeTray tray;
    FakeWindows windows;
    FakeShell shell;
    FakeGuard guard;
    FakeBus bus;
    FakeWeb web;

    QString app(const QString &name) const { return G().AppDir + name; }
    // Songs "Song i" on drive C whose files exist, so that starting one works.
    QStringList songsOnDisk(int count) {
        QStringList songs;
        for (int i = 0; i < count; ++i) {
            const QString path = QStringLiteral("C:/Music/%1.mp3").arg(i);
            drives.put(path);
            songs << QStringLiteral("Song %1").arg(i) + path;
        }
        return songs;
    }
    // The same songs in ListPath and PlayList.
    void fillPlayList(int count) {
        frmForma().ListPath << songsOnDisk(count);
        frmForma().PlayList.rebuild();
    }
};

// The album list and registry hold these albums (remembered song 0 each).
inline void listAlbums(const QStringList &names) {
    QVector<AlbomInfo> entries;
    for (const QString &name : names)
        entries.append({name, 0});
    setAlbumList(entries);
}

// Album file bytes: the count line as given, then the songs, CR LF each.
inline QByteArray albumFile(const QString &countLine, const QStringList &songs) {
    QByteArray bytes = Cp1251::encode(countLine) + "\r\n";
    for (const QString &song : songs)
        bytes += Cp1251::encode(song) + "\r\n";
    return bytes;
}

// The rows a list shows, and those of the playlist ("1.Title" each).
inline QStringList listRows(const ListModel &list) {
    QStringList rows;
    for (int i = 0; i < list.ListCount(); ++i)
        rows << list.List(i);
    return rows;
}
inline QStringList playListRows() {
    return listRows(frmForma().PlayList);
}

// The columns of a table: columns<QString, int>("name", "count").
template <typename... T, typename... Names> void columns(const Names &...names) {
    (QTest::addColumn<T>(names), ...);
}

// One row of a table, a value per column.
template <typename... V> void row(const char *name, const V &...values) {
    (QTest::newRow(name) << ... << values);
}

} // namespace tv::test
