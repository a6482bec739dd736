#pragma once

#include "platform/FileSystem.h"

#include <QList>

namespace tv {

// One drive: its letter with the colon, and the native folder it stands for.
struct Drive {
    QString letter;
    QString root;
};

// Drives over native folders. On Linux the root of the file system is Z: and
// each mounted removable volume gets a letter of its own; tests give it a
// table of temporary folders. A ":" or "\" in a native name is held as
// U+F03A or U+F05C, so that every native name maps there and back.
class DriveFileSystem : public FileSystem {
public:
    explicit DriveFileSystem(QList<Drive> drives);
    static QList<Drive> systemDrives();

    QStringList drives() const override;
    bool fileExists(const QString &path) const override;
    FileError readFile(const QString &path, QByteArray *data) const override;
    FileError writeFile(const QString &path, const QByteArray &data) override;
    QStringList listFiles(const QString &dir, const QString &extension) const override;
    FileError readPieces(const QString &path, const NextPiece &next) const override;
    bool listFolder(const QString &dir, FolderListing *listing) const override;
    QString toNative(const QString &path) const override;
    QString fromNative(const QString &native) const override;

private:
    QList<Drive> m_drives;
};

} // namespace tv
