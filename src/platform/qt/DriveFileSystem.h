#pragma once

#include "platform/FileSystem.h"

#include <QHash>
#include <QList>
#include <QMutex>
#include <QTemporaryDir>
#include <memory>

namespace tv {

// One drive: its letter with the colon, and the native folder it stands for.
struct Drive {
    QString letter;
    QString root;
};

// Drives over native folders. On Linux the root of the file system is Z: and
// each mounted removable volume gets a letter of its own; tests give it a
// table of temporary folders. A ":" or "\" in a native name is held as
// U+F03A or U+F05C, a control character or a byte that is no part of UTF-8
// as U+F000 plus its code, so that every native name maps there and back.
class DriveFileSystem : public FileSystem {
public:
    explicit DriveFileSystem(QList<Drive> drives);
    static QList<Drive> systemDrives();
    // Whether a whole-file read makes its block's pages present before it
    // reads into them: one request instead of a fault a page, inside the one
    // step of a drop that reads a playlist whole (the drop bench weighs it
    // side by side). On unless switched off.
    static void setPagesAhead(bool on);
    static bool pagesAhead();

    QStringList drives() const override;
    bool fileExists(const QString &path) const override;
    FileError readFile(const QString &path, QByteArray *data, qint64 limit) const override;
    FileError writeFile(const QString &path, const QByteArray &data) override;
    QStringList listFiles(const QString &dir, const QString &extension) const override;
    FileError readPieces(const QString &path, const NextPiece &next) const override;
    void holdFolder(const QString &dir) const override;
    void releaseFolder() const override;
    bool listFolder(const QString &dir, FolderListing *listing) const override;
    FileId fileId(const QString &path) const override;
    QString toNative(const QString &path) const override;
    QString fromNative(const QString &native) const override;
    QString fromNativeBytes(const QByteArray &native) const override;

    // Removes the links made for names that are not UTF-8 (the run ends).
    void removeLinks();

private:
    // aliased: the path is not UTF-8, and a link to it is given instead.
    QString nativePath(const QString &path, bool *aliased) const;
    QString alias(const QByteArray &native) const;

    QList<Drive> m_drives;
    mutable QMutex m_aliasLock;
    mutable std::unique_ptr<QTemporaryDir> m_aliasDir;
    mutable QHash<QByteArray, QString> m_aliases;
};

// Names in the order a folder listing gives them: letter case ignored.
void sortAsListed(QStringList &names);

} // namespace tv
