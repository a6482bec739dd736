#include "platform/qt/QtInstanceGuard.h"

#include "platform/CopyRequest.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QTimer>
#include <memory>

#ifdef Q_OS_UNIX
#include <QSocketNotifier>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>
#else
#include <QLocalServer>
#include <QLocalSocket>
#endif

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
    QByteArray folder = nativeDir.toUtf8();
#ifdef Q_OS_WIN
    folder = nativeDir.toLower().toUtf8();
#endif
    const QByteArray hash = QCryptographicHash::hash(folder, QCryptographicHash::Sha1).toHex();
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

#ifdef Q_OS_UNIX

namespace {

// The socket's address, where a local server of Qt's would put it too.
bool socketAddress(const QString &key, sockaddr_un *address) {
    const QByteArray path = QFile::encodeName(QDir(QDir::tempPath()).filePath(key));
    *address = sockaddr_un{};
    address->sun_family = AF_UNIX;
    if (size_t(path.size()) >= sizeof address->sun_path)
        return false;
    std::memcpy(address->sun_path, path.constData(), size_t(path.size()));
    return true;
}

// The first copy's socket: a later copy connects, says what it wants (a
// CopyRequest) and closes its end. The network library is not needed for
// that, and loading it would hold up the first window. A peer is anyone of
// this user: only so many are heard at once, each for a few seconds and a
// bounded number of bytes.
class RequestListener : public QObject {
public:
    RequestListener(int fd, QByteArray path, std::function<void(const QStringList &)> heard,
                    QObject *parent)
        : QObject(parent), m_fd(fd), m_path(std::move(path)), m_heard(std::move(heard)) {
        auto *incoming = new QSocketNotifier(fd, QSocketNotifier::Read, this);
        connect(incoming, &QSocketNotifier::activated, this, &RequestListener::acceptAll);
    }
    ~RequestListener() override {
        for (QSocketNotifier *peer : findChildren<QSocketNotifier *>())
            peer->setEnabled(false);
        for (auto peer = m_said.keyBegin(); peer != m_said.keyEnd(); ++peer)
            ::close(*peer);
        ::close(m_fd);
        ::unlink(m_path.constData());
    }

private:
    static constexpr int kMaxPeers = 8;
    static constexpr int kPeerMs = 5000;

    void acceptAll() {
        int peer;
        while ((peer = ::accept4(m_fd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC)) >= 0) {
            if (m_said.size() >= kMaxPeers)
                ::close(peer);
            else
                watch(peer);
        }
    }

    void watch(int peer) {
        m_said.insert(peer, {});
        auto *notifier = new QSocketNotifier(peer, QSocketNotifier::Read, this);
        connect(notifier, &QSocketNotifier::activated, this, [this, notifier, peer] {
            char bytes[4096];
            ssize_t got;
            QByteArray &said = m_said[peer];
            while ((got = ::read(peer, bytes, sizeof bytes)) > 0 &&
                   said.size() <= CopyRequest::kMaxBytes)
                said.append(bytes, got);
            if (got < 0 && errno == EAGAIN && said.size() <= CopyRequest::kMaxBytes)
                return;
            // The peer closed its end (or failed, or said too much).
            const CopyRequest request = got == 0 ? CopyRequest::decode(said) : CopyRequest();
            drop(peer, notifier);
            if (request.valid)
                m_heard(request.files);
        });
        QTimer::singleShot(kPeerMs, notifier, [this, notifier, peer] { drop(peer, notifier); });
    }

    // Once per peer: its timer may still run out after its end was read.
    void drop(int peer, QSocketNotifier *notifier) {
        if (!notifier->isEnabled())
            return;
        notifier->setEnabled(false);
        notifier->deleteLater();
        m_said.remove(peer);
        ::close(peer);
    }

    int m_fd;
    QByteArray m_path;
    std::function<void(const QStringList &)> m_heard;
    // What each peer still connected has said so far.
    QHash<int, QByteArray> m_said;
};

} // namespace

void QtInstanceGuard::listen(const QString &key) {
    delete m_server;
    m_server = nullptr;
    sockaddr_un address;
    if (!socketAddress(key, &address))
        return;
    // We hold the lock, so a socket of that name is a leftover of a crash.
    ::unlink(address.sun_path);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return;
    const auto *at = reinterpret_cast<const sockaddr *>(&address);
    // Only this user's copies may ask.
    if (::bind(fd, at, sizeof address) != 0 || ::chmod(address.sun_path, 0600) != 0 ||
        ::listen(fd, 8) != 0) {
        ::close(fd);
        return;
    }
    m_server = new RequestListener(
        fd, QByteArray(address.sun_path), [this](const QStringList &files) { heard(files); }, this);
}

void QtInstanceGuard::askFirstCopy(const QString &key, const QStringList &files) {
    sockaddr_un address;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return;
    // A first copy that hangs must not hang this one too.
    const timeval wait{2, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &wait, sizeof wait);
    const QByteArray request = CopyRequest::encode(files);
    if (socketAddress(key, &address) &&
        ::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0) {
        for (qsizetype sent = 0; sent < request.size();) {
            const ssize_t n =
                ::send(fd, request.constData() + sent, size_t(request.size() - sent), MSG_NOSIGNAL);
            if (n <= 0)
                break;
            sent += n;
        }
    }
    ::close(fd);
}

#else

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

#endif

} // namespace tv
