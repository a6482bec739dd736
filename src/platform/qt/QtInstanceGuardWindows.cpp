// The one-copy guard on Windows: Qt's lock file and local socket (a pipe).
#include "platform/qt/QtInstanceGuard.h"

#include "platform/CopyRequest.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <functional>
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

namespace {

constexpr int kWaitMs = 1000;

// A peer is heard until its request ends; a whole request taken is answered.
void hear(QLocalSocket *peer, const std::function<void(const QStringList &)> &take) {
    auto said = std::make_shared<QByteArray>();
    QObject::connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
    QObject::connect(peer, &QLocalSocket::readyRead, peer, [peer, said, take] {
        said->append(peer->readAll());
        if (!CopyRequest::ended(*said))
            return;
        const CopyRequest request = CopyRequest::decode(*said);
        if (!request.valid) {
            peer->abort();
            return;
        }
        // Answered first: a peer that no longer waits asks again.
        if (peer->write(CopyRequest::heard()) > 0 && peer->waitForBytesWritten(kWaitMs))
            take(request.files);
        peer->disconnectFromServer();
    });
}

} // namespace

void QtInstanceGuard::listen(const QString &key) {
    delete m_server;
    auto *server = new QLocalServer(this);
    m_server = server;
    // We hold the lock, so a socket of that name is a leftover of a crash.
    QLocalServer::removeServer(key);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    server->listen(key);
    connect(server, &QLocalServer::newConnection, this, [this, server] {
        while (QLocalSocket *peer = server->nextPendingConnection())
            hear(peer, [this](const QStringList &files) { heard(files); });
    });
}

bool QtInstanceGuard::say(const QString &key, const QByteArray &request) {
    QLocalSocket socket;
    socket.connectToServer(key);
    if (!socket.waitForConnected(kWaitMs))
        return false;
    socket.write(request);
    if (!socket.waitForBytesWritten(kWaitMs))
        return false;
    const QByteArray expected = CopyRequest::heard();
    QByteArray answer;
    while (answer.size() < expected.size() && socket.waitForReadyRead(kWaitMs))
        answer += socket.readAll();
    return answer == expected;
}

} // namespace tv
