#include "platform/qt/QtInstanceGuard.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace tv {

namespace {

const QByteArray kRaise = "raise\n";
constexpr int kWaitMs = 1000;

} // namespace

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
    QByteArray folder = nativeDir.toUtf8();
#ifdef Q_OS_WIN
    folder = nativeDir.toLower().toUtf8();
#endif
    const QByteArray hash = QCryptographicHash::hash(folder, QCryptographicHash::Sha1).toHex();
    return QStringLiteral("tonvela-") + QString::fromLatin1(hash.left(20));
}

bool QtInstanceGuard::acquire(const QString &appDir) {
    const QString key = keyFor(nativeFolder(appDir));
    if (!lock(QDir(QDir::tempPath()).filePath(key + ".lock"))) {
        askFirstCopy(key);
        return false;
    }
    listen(key);
    return true;
}

#ifdef Q_OS_UNIX

// The kernel's lock on the file: it goes with the process however that ends,
// and taking it writes nothing to the disk (a lock file's sync holds a start
// up for a tenth of a second on a busy disk). Only a lock another process
// holds refuses this copy; a file that cannot be opened at all does not.
bool QtInstanceGuard::lock(const QString &path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return true;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool taken = errno == EWOULDBLOCK;
        ::close(fd);
        return !taken;
    }
    m_lockFd = fd;
    return true;
}

void QtInstanceGuard::unlock() {
    if (m_lockFd >= 0)
        ::close(m_lockFd);
    m_lockFd = -1;
}

#else

// Only a dead owner makes a lock stale, never its age: the first copy may
// run for days.
bool QtInstanceGuard::lock(const QString &path) {
    auto file = std::make_unique<QLockFile>(path);
    file->setStaleLockTime(0);
    if (!file->tryLock(0))
        return false;
    m_lock = std::move(file);
    return true;
}

void QtInstanceGuard::unlock() {
    m_lock.reset();
}

#endif

void QtInstanceGuard::release() {
    delete m_server;
    m_server = nullptr;
    unlock();
}

void QtInstanceGuard::listen(const QString &key) {
    delete m_server;
    m_server = new QLocalServer(this);
    // We hold the lock, so a socket of that name is a leftover of a crash.
    QLocalServer::removeServer(key);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    m_server->listen(key);
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *peer = m_server->nextPendingConnection()) {
            connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
            connect(peer, &QLocalSocket::readyRead, this, [this, peer] {
                if (peer->readAll().contains(kRaise.trimmed()))
                    emit raiseRequested();
            });
        }
    });
}

void QtInstanceGuard::askFirstCopy(const QString &key) {
    QLocalSocket socket;
    socket.connectToServer(key);
    if (!socket.waitForConnected(kWaitMs))
        return;
    socket.write(kRaise);
    socket.waitForBytesWritten(kWaitMs);
    socket.disconnectFromServer();
}

} // namespace tv
