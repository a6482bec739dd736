// The one-copy guard on Windows: Qt's lock file and local socket (a pipe).
#include "platform/qt/QtInstanceGuard.h"

#include "platform/CopyRequest.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <memory>

namespace tv {

// Its file names are blind to case: two spellings are one folder.
QByteArray QtInstanceGuard::folderBytes(const QString &nativeDir) {
    return nativeDir.toLower().toUtf8();
}

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

constexpr int kWaitMs = 1000;

void QtInstanceGuard::listen(const QString &key) {
    delete m_server;
    auto *server = new QLocalServer(this);
    m_server = server;
    // We hold the lock, so a socket of that name is a leftover of a crash.
    QLocalServer::removeServer(key);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    server->listen(key);
    connect(server, &QLocalServer::newConnection, this, [this, server] {
        while (QLocalSocket *peer = server->nextPendingConnection()) {
            auto said = std::make_shared<QByteArray>();
            connect(peer, &QLocalSocket::readyRead, this, [peer, said] {
                said->append(peer->readAll());
                if (said->size() > CopyRequest::kMaxBytes)
                    peer->abort();
            });
            connect(peer, &QLocalSocket::disconnected, this, [this, peer, said] {
                said->append(peer->readAll());
                peer->deleteLater();
                const CopyRequest request = CopyRequest::decode(*said);
                if (request.valid)
                    heard(request.files);
            });
        }
    });
}

void QtInstanceGuard::askFirstCopy(const QString &key, const QStringList &files) {
    QLocalSocket socket;
    socket.connectToServer(key);
    if (!socket.waitForConnected(kWaitMs))
        return;
    socket.write(CopyRequest::encode(files));
    socket.waitForBytesWritten(kWaitMs);
    socket.disconnectFromServer();
}

} // namespace tv
