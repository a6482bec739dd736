// The drives of Windows: its own letters; names are UTF-16 there, so no
// name needs a link to be opened by.
#include "platform/qt/DriveFileSystem.h"

#include "platform/qt/DriveNames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tv {

using namespace drive;

QList<Drive> DriveFileSystem::systemDrives() {
    QList<Drive> drives;
    for (const QFileInfo &d : QDir::drives())
        drives.append({d.path().left(2), d.path()});
    return drives;
}

// Windows names are UTF-16 and never hold such a byte.
QString DriveFileSystem::alias(const QByteArray &) const {
    return {};
}

// Each path is looked up whole.
void DriveFileSystem::holdFolder(const QString &) const {}

void DriveFileSystem::releaseFolder() const {}

FileError DriveFileSystem::readFile(const QString &path, QByteArray *data, qint64 limit) const {
    const QString native = toNative(path);
    if (native.isEmpty())
        return FileError::Other;
    const QFileInfo info(native);
    if (!info.exists())
        return info.dir().exists() ? FileError::NotFound : FileError::Other;
    QFile file(native);
    if (!info.isFile() || info.size() > limit || !file.open(QIODevice::ReadOnly))
        return FileError::Access;
    QByteArray bytes = file.read(limit + 1);
    if (bytes.size() > limit)
        return FileError::Access;
    *data = std::move(bytes);
    return file.error() == QFileDevice::NoError ? FileError::None : FileError::Other;
}

FileError DriveFileSystem::readPieces(const QString &path, const NextPiece &next) const {
    QFile file(toNative(path));
    if (!file.open(QIODevice::ReadOnly))
        return file.exists() ? FileError::Access : FileError::NotFound;
    QByteArray piece;
    qint64 offset = 0, length = 0;
    while (next(file.size(), piece, &offset, &length)) {
        if (offset < 0 || length < 0 || !file.seek(offset))
            return FileError::Other;
        const qint64 want = std::clamp<qint64>(file.size() - offset, 0, length);
        piece = file.read(want);
        if (piece.size() != want)
            return FileError::Other;
    }
    return FileError::None;
}

bool DriveFileSystem::listFolder(const QString &dir, FolderListing *listing) const {
    const QDir folder(toNative(dir));
    if (!folder.exists() || !folder.isReadable())
        return false;
    listing->folders = folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    listing->files = folder.entryList(QDir::Files);
    sortNames(listing->folders);
    sortNames(listing->files);
    listing->id = {};
    listing->fileIds.clear();
    return true;
}

FileId DriveFileSystem::fileId(const QString &) const {
    return {};
}

} // namespace tv
