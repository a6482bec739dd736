#pragma once

#include "platform/FileSystem.h"
#include "platform/InstanceGuard.h"

#include <QObject>
#include <memory>

class QLockFile;

namespace tv {

// One running copy per program folder. The first copy holds a lock on a file
// and listens on a local socket, both in the user's runtime folder (else the
// system's temporary folder) and named from a hash of the program folder, so
// the program folder is never touched. A later copy finds the lock taken,
// hands the first its files to open (or without files tells it to come
// forward) and gets false. It waits a few seconds for a first copy that is
// still starting, and sends each request again until the first copy answers
// that it took it. The lock ends with the process that held it, also when it
// crashed.
class QtInstanceGuard : public QObject, public InstanceGuard {
    Q_OBJECT
public:
    // fs maps a lettered folder to its native one; without it the folder is
    // taken as native.
    explicit QtInstanceGuard(const FileSystem *fs = nullptr, QObject *parent = nullptr);
    ~QtInstanceGuard() override;

    bool acquire(const QString &appDir, const QStringList &files = {}) override;
    void startedUp() override;
    // Lets the folder go (the run ends): a later copy starts as the first.
    // The lock file and the socket go too.
    void release();

    // The name that lock file and socket share for a folder.
    static QString keyFor(const QString &nativeDir);
    // Where they are: the user's runtime folder when there is one.
    static QString folderOfKeys();

signals:
    // In the first copy: a later copy was started and wants the window shown.
    void raiseRequested();
    // In the first copy: a later copy was started with these files (native).
    void openRequested(const QStringList &files);

private:
    // The folder's bytes that its key is hashed from, the same for every
    // spelling that the system takes for that folder.
    static QByteArray folderBytes(const QString &nativeDir);
    QString nativeFolder(const QString &appDir) const;
    bool lock(const QString &path);
    void unlock();
    void listen(const QString &key);
    // Whether the first copy took a request: it answered that it heard it.
    static bool say(const QString &key, const QByteArray &request);
    static void sayNotHandedOver(const QList<QByteArray> &requests, qsizetype from);
    void heard(const QStringList &files);

    const FileSystem *m_fs;
    // The lock held: a lock file on Windows, a locked descriptor elsewhere.
    std::unique_ptr<QLockFile> m_lock;
    int m_lockFd = -1;
    QString m_lockPath;
    // Files heard while start-up runs: they join the album it settles on.
    bool m_starting = true;
    QStringList m_held;
    // Takes the later copies' requests while this copy runs.
    QObject *m_server = nullptr;
};

} // namespace tv
