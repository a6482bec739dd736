#include "platform/qt/QtInstanceGuard.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>

namespace tv {

namespace {

const QByteArray kRaise = "raise\n";
constexpr int kWaitMs = 1000;

} // namespace

QtInstanceGuard::QtInstanceGuard(const FileSystem *fs, QObject *parent)
    : QObject(parent), m_fs(fs) {}

QtInstanceGuard::~QtInstanceGuard() = default;

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
    auto lock = std::make_unique<QLockFile>(QDir(QDir::tempPath()).filePath(key + ".lock"));
    // Only a dead owner makes a lock stale, never its age: the first copy may
    // run for days.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        askFirstCopy(key);
        return false;
    }
    m_lock = std::move(lock);
    listen(key);
    return true;
}

void QtInstanceGuard::release() {
    delete m_server;
    m_server = nullptr;
    m_lock.reset();
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
