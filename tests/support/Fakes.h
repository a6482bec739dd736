#pragma once

#include "FakeBus.h"
#include "FakeWeb.h"
#include "platform/Ports.h"
#include "platform/qt/DriveFileSystem.h"

#include <QByteArray>
#include <QList>
#include <QQueue>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>

namespace tv {
class ListModel;
} // namespace tv

namespace tv::test {

// A player that changes state at once, as the real one does in time.
// setURL starts the file by itself (autoStart); finish() ends it.
class FakePlayer : public MediaPlayer {
    Q_OBJECT
public:
    void setURL(const QString &path) override;
    QString URL() const override { return m_url; }
    int playState() const override { return m_state; }
    void play() override;
    void pause() override;
    void setCurrentPosition(double seconds) override;
    double currentPosition() const override { return m_position; }
    void stop() override;
    double volume() const override { return m_volume; }
    void setVolume(double volume) override;
    double duration() const override { return m_duration; }

    // The player has read the file's length.
    void know(double seconds);
    // The file played to its end (or the control bar's stop was pressed).
    void finish() { setState(Stopped); }
    // Put the player into a state without the calls that lead there.
    void force(int state) { setState(state); }

    QStringList calls; // "pause", "url:<path>", "play", "pos:<s>", "stop"

private:
    void setState(int state);
    QString m_url;
    int m_state = Undefined;
    double m_position = 0;
    double m_volume = 1;
    double m_duration = 0;
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
// queued answer is answered with its first button (OK, Yes).
class FakeDialogs : public Dialogs {
public:
    int MsgBox(const QString &prompt, int style, const QString &title) override;
    QString fileDialog(bool isSave, const QString &dir, const QString &fileName,
                       const QList<FileFilter> &filters) override;

    QQueue<int> answers;
    QQueue<QString> files;
    QList<MsgCall> msgs;
    QList<FileDialogCall> fileCalls;
    // Runs when a message box shows, before it is answered (e.g. to look at state).
    std::function<void(const MsgCall &)> onMsg;
};

class FakeEvents : public EventLoop {
public:
    void DoEvents() override;
    void endProcess() override { ++ended; }
    int doEvents = 0;
    int ended = 0;
    // Runs inside DoEvents: an event that arrives in the middle of a routine.
    std::function<void()> pending;
    // When set, gets "<" as events start to run and ">" when they are done.
    QStringList *trace = nullptr;
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

class FakeWindows : public WindowPort {
public:
    void loadForma() override { calls << QStringLiteral("loadForma"); }
    void startBanner() override { calls << QStringLiteral("startBanner"); }
    void languageChanged(int language) override {
        calls << QStringLiteral("language:%1").arg(language);
    }
    void showAddFile() override;
    void showLang() override { calls << QStringLiteral("showLang"); }
    void showFound() override { calls << QStringLiteral("showFound"); }
    void showChange() override { calls << QStringLiteral("showChange"); }
    void showNewDisk() override { calls << QStringLiteral("showNewDisk"); }
    void showOprog() override { calls << QStringLiteral("showOprog"); }
    void showTrayMenu() override { calls << QStringLiteral("showTrayMenu"); }
    void showListAlbom() override { calls << QStringLiteral("showListAlbom"); }
    QStringList calls;
    std::function<void()> onAddFile;
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
    ProgramCommand findProgram(const QList<ProgramCommand> &candidates) const override;
    bool start(const ProgramCommand &command, const QString &workDir) override;
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
    bool first = true;
    QString handed; // the folder and the files of the last acquire
};

// Drives over temporary folders: letter -> <tmp>/<letter>.
class TempDrives {
public:
    explicit TempDrives(const QStringList &letters = {"C", "E", "F", "Z"});
    DriveFileSystem &fs() { return *m_fs; }
    QString native(const QString &lettered) const { return m_fs->toNative(lettered); }
    // Writes a file (creating folders) at a lettered path.
    void put(const QString &lettered, const QByteArray &bytes = "mp3");
    QByteArray get(const QString &lettered) const; // empty when missing

private:
    QTemporaryDir m_dir;
    std::unique_ptr<DriveFileSystem> m_fs;
};

// A fresh process for a logic test: globals and main window reset, every port
// a fake, AppDir = "C:/Tonvela/" with "/" as PathSep.
struct LogicEnv {
    LogicEnv();
    ~LogicEnv();

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

    QString app(const QString &name) const; // AppDir + name
    // Songs "Song i" on drive C whose files exist, so that starting one works.
    QStringList songsOnDisk(int count);
    // The same songs in ListPath and PlayList.
    void fillPlayList(int count);
};

// The album list and registry hold these albums (remembered song 0 each).
void listAlbums(const QStringList &names);

// Album file bytes: the count line as given, then the songs, CR LF each.
QByteArray albumFile(const QString &countLine, const QStringList &songs);

// The rows a list shows, and those of the playlist ("1.Title" each).
QStringList listRows(const ListModel &list);
QStringList playListRows();

// The columns of a table: columns<QString, int>("name", "count").
template <typename... T, typename... Names> void columns(const Names &...names) {
    (QTest::addColumn<T>(names), ...);
}

// One row of a table, a value per column.
template <typename... V> void row(const char *name, const V &...values) {
    (QTest::newRow(name) << ... << values);
}

} // namespace tv::test
