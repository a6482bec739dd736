#include "platform/qt/InstallFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tv {

namespace {

// Made if missing, and writable (the system's access check, which also
// knows a read-only mount): a folder that exists changes in nothing here.
bool usable(const QString &dir) {
    if (!QDir().mkpath(dir) || !QDir().mkpath(QDir(dir).filePath(QStringLiteral("Language"))))
        return false;
    return QFileInfo(dir).isWritable();
}

QString musicFolder() {
    const QString music = QStandardPaths::writableLocation(QStandardPaths::MusicLocation);
    return !music.isEmpty() && QFileInfo(music).isDir() ? music : QDir::homePath();
}

} // namespace

InstallFolders InstallFolders::portable(const QString &exeDir) {
    return {exeDir, exeDir, QString(), true};
}

InstallFolders InstallFolders::system(const QString &exeDir, const QString &programDir) {
    const QDir exe(exeDir);
    InstallFolders folders;
    folders.program = QDir::cleanPath(exe.filePath(programDir));
    folders.user =
        QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                        QStringLiteral("/tonvela"));
    folders.music = musicFolder();
    folders.userWritable = usable(folders.user);
    return folders;
}

} // namespace tv
