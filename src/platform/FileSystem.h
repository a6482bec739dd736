#pragma once

#include <QByteArray>
#include <QHashFunctions>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace tv {

// Why a file could not be read or written.
enum class FileError {
    None,
    NotFound, // no such file in an existing folder
    Access,   // read-only, a folder, not a plain file, or larger than the reader takes
    Other,    // missing folder, bad name, locked, disk full...
};

// Where a file or a folder lives: the paths that reach the same one through
// links give the same id. Null when the system tells none (the walks then go
// by path).
struct FileId {
    quint64 device = 0;
    quint64 inode = 0;

    bool isNull() const { return inode == 0; }
    friend bool operator==(const FileId &a, const FileId &b) {
        return a.device == b.device && a.inode == b.inode;
    }
};

inline size_t qHash(const FileId &id, size_t hashStart = 0) {
    return qHashMulti(hashStart, id.device, id.inode);
}

// A folder's entries, by name, and where the folder and each file live
// (fileIds index-aligned with files; empty when the system tells none).
struct FolderListing {
    QStringList folders;
    QStringList files;
    FileId id;
    QList<FileId> fileIds;
};

// How much a reader takes of a file: a file of its own kind is far
// smaller. The settings and the position file hold a few lines each (the
// settings one per album), an album or a playlist of a million songs stays
// well below the larger cap.
constexpr qint64 kSmallFileLimit = 16 << 20;
constexpr qint64 kAlbumFileLimit = qint64(512) << 20;

// The files as the program sees them: drives with letters, and paths that
// begin with a letter and a colon. Only this port knows native paths.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // "C:", "D:", ... in letter order.
    virtual QStringList drives() const = 0;
    // A plain file (not a folder, not hidden) exists at the path.
    virtual bool fileExists(const QString &path) const = 0;
    // The whole of a plain file of at most limit bytes; anything else (a
    // FIFO, a device, a larger file) is refused as Access without waiting.
    virtual FileError readFile(const QString &path, QByteArray *data, qint64 limit) const = 0;
    // Replaces the file whole: a crash or a full disk leaves the old one.
    virtual FileError writeFile(const QString &path, const QByteArray &data) = 0;
    // Names of the plain files in dir ending in extension (".alb"), letter
    // case ignored, sorted by name without regard to case as Windows lists.
    virtual QStringList listFiles(const QString &dir, const QString &extension) const = 0;
    // One opening of a file, read in positioned pieces that next() asks for
    // one after another: it is given the file's size and the bytes of the
    // piece before (none at first), and sets the next piece's offset and
    // length or returns false to stop. A piece is cut at the file's end; a
    // failed read stops the reading with an error.
    using NextPiece = std::function<bool(qint64 fileSize, const QByteArray &previous,
                                         qint64 *offset, qint64 *length)>;
    virtual FileError readPieces(const QString &path, const NextPiece &next) const = 0;
    // A folder whose files are read one after another (a folder's titles):
    // while it is held, readPieces finds a file directly in it without
    // looking the whole path up again. Holds nest, and each is released in
    // turn (FolderHeld); a file system may hold nothing.
    virtual void holdFolder(const QString &dir) const { Q_UNUSED(dir) }
    virtual void releaseFolder() const {}
    // The subfolders and the plain files of dir, hidden entries left out,
    // each list sorted by name without regard to case. False when the folder
    // cannot be read (missing, no permission, not a folder).
    virtual bool listFolder(const QString &dir, FolderListing *listing) const = 0;
    // Where the file or folder at the path lives, links followed; null when
    // there is none.
    virtual FileId fileId(const QString &path) const = 0;

    // Native path of a lettered one; empty when no drive has that letter.
    virtual QString toNative(const QString &path) const = 0;
    // Lettered path of a native one, with "/" between names.
    virtual QString fromNative(const QString &native) const = 0;
    // The same for a native path as the disk's bytes, which a name that is
    // not UTF-8 needs (a file:// address can name one).
    virtual QString fromNativeBytes(const QByteArray &native) const = 0;
};

// A folder held while its files are read.
class FolderHeld {
public:
    FolderHeld(const FileSystem &fs, const QString &dir) : m_fs(fs) { fs.holdFolder(dir); }
    ~FolderHeld() { m_fs.releaseFolder(); }
    FolderHeld(const FolderHeld &) = delete;
    FolderHeld &operator=(const FolderHeld &) = delete;

private:
    const FileSystem &m_fs;
};

} // namespace tv
