#include "platform/qt/QtInstanceGuard.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>

#ifdef Q_OS_UNIX
#include <QSocketNotifier>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#else
#include <QLocalServer>
#include <QLocalSocket>
#endif

namespace tv {

namespace {

const QByteArray kRaise = "raise\n";

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

// The first copy's socket: a later copy that connects and says "raise" asks
// for the window. The network library is not needed for that, and loading it
// would hold up the first window.
class RaiseListener : public QObject {
public:
    RaiseListener(int fd, QByteArray path, std::function<void()> raise, QObject *parent)
        : QObject(parent), m_fd(fd), m_path(std::move(path)), m_raise(std::move(raise)) {
        auto *incoming = new QSocketNotifier(fd, QSocketNotifier::Read, this);
        connect(incoming, &QSocketNotifier::activated, this, &RaiseListener::acceptAll);
    }
    ~RaiseListener() override {
        for (QSocketNotifier *peer : findChildren<QSocketNotifier *>())
            peer->setEnabled(false);
        for (auto peer = m_heard.keyBegin(); peer != m_heard.keyEnd(); ++peer)
            ::close(*peer);
        ::close(m_fd);
        ::unlink(m_path.constData());
    }

private:
    void acceptAll() {
        int peer;
        while ((peer = ::accept4(m_fd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC)) >= 0)
            watch(peer);
    }

    void watch(int peer) {
        m_heard.insert(peer, {});
        auto *notifier = new QSocketNotifier(peer, QSocketNotifier::Read, this);
        connect(notifier, &QSocketNotifier::activated, this, [this, notifier, peer] {
            char bytes[64];
            const ssize_t got = ::read(peer, bytes, sizeof bytes);
            if (got < 0 && errno == EAGAIN)
                return;
            QByteArray &heard = m_heard[peer];
            heard.append(bytes, qMax<qsizetype>(0, got));
            const bool raise = heard.contains(kRaise.trimmed());
            // A request is a few bytes: one that says more is not heard.
            if (got > 0 && !raise && heard.size() < 64)
                return;
            notifier->setEnabled(false);
            notifier->deleteLater();
            m_heard.remove(peer);
            ::close(peer);
            if (raise)
                m_raise();
        });
    }

    int m_fd;
    QByteArray m_path;
    std::function<void()> m_raise;
    // What each peer still connected has said so far.
    QHash<int, QByteArray> m_heard;
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
    m_server = new RaiseListener(
        fd, QByteArray(address.sun_path), [this] { emit raiseRequested(); }, this);
}

void QtInstanceGuard::askFirstCopy(const QString &key) {
    sockaddr_un address;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return;
    if (socketAddress(key, &address) &&
        ::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0)
        static_cast<void>(::send(fd, kRaise.constData(), size_t(kRaise.size()), MSG_NOSIGNAL));
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

#endif

} // namespace tv
