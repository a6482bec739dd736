// The one-copy guard on POSIX: a kernel lock on a file and a Unix socket of
// its own, without the network library.
#include "platform/qt/QtInstanceGuard.h"

#include "platform/CopyRequest.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

namespace tv {

// Names are bytes here, and two spellings are two folders.
QByteArray QtInstanceGuard::folderBytes(const QString &nativeDir) {
    return nativeDir.toUtf8();
}

// The kernel's lock on the file: it goes with the process however that ends,
// and taking it writes nothing to the disk (a lock file's sync holds a start
// up for a tenth of a second on a busy disk). Only a lock another process
// holds refuses this copy; a file that cannot be opened at all does not. A
// copy that ends removes the file: a lock taken on it meanwhile is on a file
// no longer there, and is taken again on the file of that name.
bool QtInstanceGuard::lock(const QString &path) {
    const QByteArray name = QFile::encodeName(path);
    for (;;) {
        const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd < 0)
            return true;
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const bool taken = errno == EWOULDBLOCK;
            ::close(fd);
            return !taken;
        }
        struct stat held, named;
        if (::fstat(fd, &held) == 0 && ::stat(name.constData(), &named) == 0 &&
            held.st_dev == named.st_dev && held.st_ino == named.st_ino) {
            m_lockFd = fd;
            m_lockPath = path;
            return true;
        }
        ::close(fd);
    }
}

void QtInstanceGuard::unlock() {
    if (m_lockFd < 0)
        return;
    ::unlink(QFile::encodeName(m_lockPath).constData());
    ::close(m_lockFd);
    m_lockFd = -1;
}

namespace {

// The socket's address, where a local server of Qt's would put it too.
bool socketAddress(const QString &key, sockaddr_un *address) {
    const QByteArray path = QFile::encodeName(QDir(QtInstanceGuard::folderOfKeys()).filePath(key));
    *address = sockaddr_un{};
    address->sun_family = AF_UNIX;
    if (size_t(path.size()) >= sizeof address->sun_path)
        return false;
    std::memcpy(address->sun_path, path.constData(), size_t(path.size()));
    return true;
}

// The first copy's socket: a later copy connects, says what it wants (a
// CopyRequest) and waits for the answer that it was heard. The network
// library is not needed for that, and loading it would hold up the first
// window. A peer is anyone of this user: only so many are heard at once, each
// for a few seconds and a bounded number of bytes; one turned away asks
// again.
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
            ssize_t got = 0;
            QByteArray &said = m_said[peer];
            while (!CopyRequest::ended(said) && (got = ::read(peer, bytes, sizeof bytes)) > 0)
                said.append(bytes, got);
            if (!CopyRequest::ended(said) && got < 0 && errno == EAGAIN)
                return;
            // The whole request (or the peer ended, failed or said too much).
            // A peer that no longer waits for the answer asks again: its
            // request is left, or its files would come twice.
            const CopyRequest request = CopyRequest::decode(said);
            const QByteArray answer = CopyRequest::heard();
            if (request.valid && ::send(peer, answer.constData(), size_t(answer.size()),
                                        MSG_NOSIGNAL) == answer.size())
                m_heard(request.files);
            drop(peer, notifier);
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

namespace {

// The peer's socket for one request, connected, or -1: no first copy listens
// (yet).
int connectTo(const QString &key) {
    sockaddr_un address;
    if (!socketAddress(key, &address))
        return -1;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    // A first copy that hangs must not hang this one too.
    const timeval wait{2, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &wait, sizeof wait);
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
    if (::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

bool sendAll(int fd, const QByteArray &bytes) {
    for (qsizetype sent = 0; sent < bytes.size();) {
        const ssize_t n =
            ::send(fd, bytes.constData() + sent, size_t(bytes.size() - sent), MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        sent += n;
    }
    return true;
}

bool answered(int fd) {
    const QByteArray expected = CopyRequest::heard();
    QByteArray answer;
    char bytes[16];
    ssize_t got;
    while (answer.size() < expected.size() && (got = ::recv(fd, bytes, sizeof bytes, 0)) > 0)
        answer.append(bytes, got);
    return answer == expected;
}

} // namespace

bool QtInstanceGuard::say(const QString &key, const QByteArray &request) {
    const int fd = connectTo(key);
    if (fd < 0)
        return false;
    const bool heard = sendAll(fd, request) && answered(fd);
    ::close(fd);
    return heard;
}

} // namespace tv
