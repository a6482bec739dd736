#include "Fakes.h"

#include "core/AlbumList.h"
#include "core/Cp1251.h"
#include "core/Forma.h"
#include "core/Globals.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tv::test {

void FakePlayer::setState(int state) {
    if (state == m_state)
        return;
    m_state = state;
    emit PlayStateChange(state);
}

void FakePlayer::setURL(const QString &path) {
    calls << QStringLiteral("url:") + path;
    m_url = path;
    m_position = 0;
    know(0);
    setState(Transitioning);
    setState(Playing);
}

void FakePlayer::play() {
    calls << QStringLiteral("play");
    if (!m_url.isEmpty())
        setState(Playing);
}

void FakePlayer::pause() {
    calls << QStringLiteral("pause");
    if (m_state == Playing || m_state == Transitioning)
        setState(Paused);
}

void FakePlayer::setCurrentPosition(double seconds) {
    calls << QStringLiteral("pos:%1").arg(seconds);
    m_position = seconds;
    emit seeked(seconds);
}

void FakePlayer::setVolume(double volume) {
    calls << QStringLiteral("volume:%1").arg(volume);
    if (volume != m_volume)
        emit volumeChanged(m_volume = volume);
}

void FakePlayer::know(double seconds) {
    if (seconds != m_duration)
        emit durationChanged(m_duration = seconds);
}

void FakePlayer::stop() {
    calls << QStringLiteral("stop");
    if (!m_url.isEmpty())
        setState(Stopped);
}

int FakeDialogs::MsgBox(const QString &prompt, int style, const QString &title) {
    msgs.append({prompt, style, title});
    if (onMsg)
        onMsg(msgs.last());
    if (!answers.isEmpty())
        return answers.dequeue();
    const int buttons = style & 7;
    return buttons == vbYesNo || buttons == vbYesNoCancel ? vbYes : vbOK;
}

QString FakeDialogs::fileDialog(bool isSave, const QString &dir, const QString &fileName,
                                const QList<FileFilter> &) {
    fileCalls.append({isSave, dir, fileName});
    return files.isEmpty() ? QString() : files.dequeue();
}

void FakeEvents::DoEvents() {
    ++doEvents;
    if (trace)
        *trace << QStringLiteral("<");
    if (pending) {
        auto run = std::move(pending);
        pending = nullptr;
        run();
    }
    if (trace)
        *trace << QStringLiteral(">");
}

void FakeWindows::showAddFile() {
    calls << QStringLiteral("showAddFile");
    if (onAddFile)
        onAddFile();
}

ProgramCommand FakeShell::findProgram(const QList<ProgramCommand> &candidates) const {
    for (const ProgramCommand &candidate : candidates)
        if (installed.contains(candidate.program))
            return {QStringLiteral("/usr/bin/") + candidate.program, candidate.arguments};
    return {};
}

bool FakeShell::start(const ProgramCommand &command, const QString &workDir) {
    calls << QStringLiteral("start:") +
                 (QStringList{command.program} + command.arguments).join(' ') + QLatin1Char('|') +
                 workDir;
    return true;
}

TempDrives::TempDrives(const QStringList &letters) {
    QList<Drive> table;
    for (const QString &l : letters) {
        const QString root = m_dir.path() + QLatin1Char('/') + l;
        QDir().mkpath(root);
        table.append({l, root});
    }
    m_fs = std::make_unique<DriveFileSystem>(table);
}

void TempDrives::put(const QString &lettered, const QByteArray &bytes) {
    const QString path = native(lettered);
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

QByteArray TempDrives::get(const QString &lettered) const {
    QFile f(native(lettered));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

LogicEnv::LogicEnv() {
    resetGlobals();
    resetForma();
    P() = Ports{&player, &dialogs, &drives.fs(), &events, &shell,
                &tray,   &windows, &guard,       &bus,    &web};
    G().AppDir = G().ProgramDir = QStringLiteral("C:/Tonvela/");
    G().PathSep = QStringLiteral("/");
    G().strDir = G().AppDir;
    QDir().mkpath(drives.native(G().AppDir));
}

LogicEnv::~LogicEnv() {
    resetForma();
    P() = Ports{};
}

QString LogicEnv::app(const QString &name) const {
    return G().AppDir + name;
}

void listAlbums(const QStringList &names) {
    QVector<AlbomInfo> entries;
    for (const QString &name : names)
        entries.append({name, 0});
    setAlbumList(entries);
}

QByteArray albumFile(const QString &countLine, const QStringList &songs) {
    QByteArray bytes = Cp1251::encode(countLine) + "\r\n";
    for (const QString &song : songs)
        bytes += Cp1251::encode(song) + "\r\n";
    return bytes;
}

QStringList listRows(const ListModel &list) {
    QStringList rows;
    for (int i = 0; i < list.ListCount(); ++i)
        rows << list.List(i);
    return rows;
}

QStringList playListRows() {
    return listRows(frmForma().PlayList);
}

QStringList LogicEnv::songsOnDisk(int count) {
    QStringList songs;
    for (int i = 0; i < count; ++i) {
        const QString path = QStringLiteral("C:/Music/%1.mp3").arg(i);
        drives.put(path);
        songs << QStringLiteral("Song %1").arg(i) + path;
    }
    return songs;
}

void LogicEnv::fillPlayList(int count) {
    frmForma().ListPath << songsOnDisk(count);
    frmForma().PlayList.rebuild();
}

} // namespace tv::test
