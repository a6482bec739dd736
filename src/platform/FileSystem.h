#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace tv {

// Why a file could not be read or written.
enum class FileError {
    None,
    NotFound, // no such file in an existing folder
    Access,   // the file is read-only, or the name is that of a folder
    Other,    // missing folder, bad name, locked, disk full...
};

// The files as the program sees them: drives with letters, and paths that
// begin with a letter and a colon. Only this port knows native paths.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // "C:", "D:", ... in letter order.
    virtual QStringList drives() const = 0;
    // A plain file (not a folder, not hidden) exists at the path.
    virtual bool fileExists(const QString &path) const = 0;
    virtual FileError readFile(const QString &path, QByteArray *data) const = 0;
    // Replaces the file whole: a crash or a full disk leaves the old one.
    virtual FileError writeFile(const QString &path, const QByteArray &data) = 0;
    // Names of the plain files in dir ending in extension (".alb"), letter
    // case ignored, sorted by name without regard to case as Windows lists.
    virtual QStringList listFiles(const QString &dir, const QString &extension) const = 0;

    // Native path of a lettered one; empty when no drive has that letter.
    virtual QString toNative(const QString &path) const = 0;
    // Lettered path of a native one, with "/" between names.
    virtual QString fromNative(const QString &native) const = 0;
};

// One drive: its letter with the colon, and the native folder it stands for.
struct Drive {
    QString letter;
    QString root;
};

// Drives over native folders. On Linux the root of the file system is Z: and
// each mounted removable volume gets a letter of its own; tests give it a
// table of temporary folders. A ":" in a native name is held as U+F03A.
class DriveFileSystem : public FileSystem {
public:
    explicit DriveFileSystem(QList<Drive> drives);
    static QList<Drive> systemDrives();

    QStringList drives() const override;
    bool fileExists(const QString &path) const override;
    FileError readFile(const QString &path, QByteArray *data) const override;
    FileError writeFile(const QString &path, const QByteArray &data) override;
    QStringList listFiles(const QString &dir, const QString &extension) const override;
    QString toNative(const QString &path) const override;
    QString fromNative(const QString &native) const override;

private:
    QList<Drive> m_drives;
};

} // namespace tv
