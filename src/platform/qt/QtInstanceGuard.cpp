// The one-copy guard's part that every system shares; the lock and the
// socket are in QtInstanceGuardPosix.cpp and QtInstanceGuardWindows.cpp.
#include "platform/qt/QtInstanceGuard.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <memory>

namespace tv {

QtInstanceGuard::QtInstanceGuard(const FileSystem *fs, QObject *parent)
    : QObject(parent), m_fs(fs) {}

QtInstanceGuard::~QtInstanceGuard() {
    unlock();
}

QString QtInstanceGuard::nativeFolder(const QString &appDir) const {
    QString native = m_fs ? m_fs->toNative(appDir) : QString();
    if (native.isEmpty())
        native = appDir;
    const QFileInfo info(native);
    const QString canonical = info.canonicalFilePath();
    return QDir::cleanPath(canonical.isEmpty() ? info.absoluteFilePath() : canonical);
}

QString QtInstanceGuard::keyFor(const QString &nativeDir) {
    const QByteArray hash =
        QCryptographicHash::hash(folderBytes(nativeDir), QCryptographicHash::Sha1).toHex();
    return QStringLiteral("tonvela-") + QString::fromLatin1(hash.left(20));
}

bool QtInstanceGuard::acquire(const QString &appDir, const QStringList &files) {
    const QString key = keyFor(nativeFolder(appDir));
    if (!lock(QDir(QDir::tempPath()).filePath(key + ".lock"))) {
        askFirstCopy(key, files);
        return false;
    }
    listen(key);
    return true;
}

void QtInstanceGuard::heard(const QStringList &files) {
    if (files.isEmpty())
        emit raiseRequested();
    else
        emit openRequested(files);
}

void QtInstanceGuard::release() {
    delete m_server;
    m_server = nullptr;
    unlock();
}

} // namespace tv
