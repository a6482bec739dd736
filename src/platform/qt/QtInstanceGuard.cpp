// The one-copy guard's part that every system shares; the lock and the
// socket are in QtInstanceGuardPosix.cpp and QtInstanceGuardWindows.cpp.
#include "platform/qt/QtInstanceGuard.h"

#include "platform/CopyRequest.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QThread>
#include <cstdio>
#include <memory>

namespace tv {

namespace {

// How long a later copy waits for a first copy that does not take its
// request (still starting, or busy with other copies), and how often it asks.
constexpr int kPatienceMs = 15000;
constexpr int kAgainMs = 20;

} // namespace

QtInstanceGuard::QtInstanceGuard(const FileSystem *fs, QObject *parent)
    : QObject(parent), m_fs(fs) {}

QtInstanceGuard::~QtInstanceGuard() {
    release();
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

// Another user's files in the shared temporary folder would switch the guard
// off; the runtime folder is this user's alone.
QString QtInstanceGuard::folderOfKeys() {
    const QString runtime = QFile::decodeName(qgetenv("XDG_RUNTIME_DIR"));
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir())
        return runtime;
    return QDir::tempPath();
}

// A first copy that ends meanwhile leaves the folder to this one.
bool QtInstanceGuard::acquire(const QString &appDir, const QStringList &files) {
    const QString key = keyFor(nativeFolder(appDir));
    const QList<QByteArray> requests = CopyRequest::encode(files);
    QDeadlineTimer patience(kPatienceMs);
    qsizetype next = 0;
    while (!lock(QDir(folderOfKeys()).filePath(key + ".lock"))) {
        if (next == requests.size())
            return false;
        if (say(key, requests.at(next))) {
            ++next;
            patience.setRemainingTime(kPatienceMs);
        } else if (patience.hasExpired()) {
            sayNotHandedOver(requests, next);
            return false;
        } else {
            QThread::msleep(kAgainMs);
        }
    }
    listen(key);
    return true;
}

void QtInstanceGuard::sayNotHandedOver(const QList<QByteArray> &requests, qsizetype from) {
    QStringList files;
    for (qsizetype i = from; i < requests.size(); ++i)
        files += CopyRequest::decode(requests.at(i)).files;
    if (files.isEmpty()) {
        std::fputs("tonvela: the running copy did not answer\n", stderr);
        return;
    }
    std::fprintf(stderr, "tonvela: the running copy did not answer; %lld files not handed over:\n",
                 static_cast<long long>(files.size()));
    for (const QString &file : std::as_const(files))
        std::fprintf(stderr, "%s\n", QFile::encodeName(file).constData());
}

void QtInstanceGuard::startedUp() {
    m_starting = false;
    if (!m_held.isEmpty())
        emit openRequested(std::exchange(m_held, {}));
}

void QtInstanceGuard::heard(const QStringList &files) {
    if (files.isEmpty())
        emit raiseRequested();
    else if (m_starting)
        m_held += files;
    else
        emit openRequested(files);
}

void QtInstanceGuard::release() {
    delete m_server;
    m_server = nullptr;
    unlock();
}

} // namespace tv
