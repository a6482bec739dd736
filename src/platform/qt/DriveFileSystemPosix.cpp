// The drives of a POSIX system: Z: is the root, each mounted removable volume
// has a letter of its own; folders are read with the system's own calls, so
// that a name that is not UTF-8 is seen as the disk holds it.
#include "platform/qt/DriveFileSystem.h"

#include "platform/qt/DriveNames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutexLocker>
#include <QStorageInfo>
#include <algorithm>
#include <cctype>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace tv {

using namespace drive;

QList<Drive> DriveFileSystem::systemDrives() {
    QStringList mounts;
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        if (isRemovableMount(volume.rootPath()))
            mounts.append(volume.rootPath());
    }
    std::sort(mounts.begin(), mounts.end());
    QList<Drive> drives;
    char letter = 'C';
    for (const QString &root : mounts) {
        if (letter >= 'Z')
            break;
        drives.append({QString(QLatin1Char(letter++)), root});
    }
    drives.append({QStringLiteral("Z"), QStringLiteral("/")});
    return drives;
}

namespace {

// The folders held by this thread, the last one on top: its files are
// opened in it, by their names alone.
struct Held {
    const DriveFileSystem *owner;
    QString dir;
    int fd;
};
thread_local std::vector<Held> t_held;

} // namespace

void DriveFileSystem::holdFolder(const QString &dir) const {
    QString lettered = dir;
    if (!lettered.endsWith(QLatin1Char('/')) && !lettered.endsWith(QLatin1Char('\\')))
        lettered += QLatin1Char('/');
    const QString native = toNative(lettered);
    const int fd = native.isEmpty() ? -1
                                    : ::open(QFile::encodeName(native).constData(),
                                             O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    t_held.push_back({this, lettered, fd});
}

void DriveFileSystem::releaseFolder() const {
    if (t_held.empty())
        return;
    if (t_held.back().fd >= 0)
        ::close(t_held.back().fd);
    t_held.pop_back();
}

namespace {

bool asciiInto(QStringView name, char *out, qsizetype room) {
    if (name.size() >= room)
        return false;
    for (const QChar c : name) {
        if (c.unicode() == 0 || c.unicode() >= 0x80)
            return false;
        *out++ = char(c.unicode());
    }
    *out = '\0';
    return true;
}

// Files are opened without waiting: a FIFO would hold the open until someone
// wrote to it (what was opened is looked at before it is read).
constexpr int kOpenToRead = O_RDONLY | O_CLOEXEC | O_NONBLOCK;

// A file directly in the folder held last is opened there by its name, which
// alone is mapped; any other path is looked up whole. Below 0 when it does
// not open, errno saying why (0: no drive has the path's letter).
int openToRead(const DriveFileSystem *fs, const QString &path) {
    if (!t_held.empty() && t_held.back().owner == fs && t_held.back().fd >= 0 &&
        path.startsWith(t_held.back().dir)) {
        const QStringView name = QStringView(path).mid(t_held.back().dir.size());
        if (plainName(name)) {
            // Most names are ASCII, whose bytes are the characters': no
            // encoding made for each file of a folder.
            char ascii[256];
            if (asciiInto(name, ascii, sizeof ascii))
                return ::openat(t_held.back().fd, ascii, kOpenToRead);
            return ::openat(t_held.back().fd, name.toLocal8Bit().constData(), kOpenToRead);
        }
    }
    const QString native = fs->toNative(path);
    if (native.isEmpty()) {
        errno = 0;
        return -1;
    }
    return ::open(QFile::encodeName(native).constData(), kOpenToRead);
}

} // namespace

FileError DriveFileSystem::readPieces(const QString &path, const NextPiece &next) const {
    const int fd = openToRead(this, path);
    if (fd < 0)
        return errno == 0        ? FileError::Other
               : errno == ENOENT ? FileError::NotFound
                                 : FileError::Access;
    struct stat st {};
    FileError result = FileError::Other;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        result = FileError::None;
        QByteArray piece;
        qint64 offset = 0, length = 0;
        while (result == FileError::None && next(st.st_size, piece, &offset, &length)) {
            if (offset < 0 || length < 0) {
                result = FileError::Other;
                break;
            }
            piece.resize(std::clamp<qint64>(st.st_size - offset, 0, length));
            if (::pread(fd, piece.data(), size_t(piece.size()), off_t(offset)) != piece.size())
                result = FileError::Other;
        }
    }
    ::close(fd);
    return result;
}

namespace {

// Why a whole-file read found nothing to read.
FileError openFailure(const QString &native) {
    if (errno != ENOENT)
        return FileError::Access;
    return QFileInfo(native).dir().exists() ? FileError::NotFound : FileError::Other;
}

// Only the whole pages inside the block; a system without the request (before
// Linux 5.14) refuses it, and the read then faults them in as it goes.
void makePagesPresent(char *data, qsizetype size) {
#ifdef MADV_POPULATE_WRITE
    const auto page = quintptr(sysconf(_SC_PAGESIZE));
    const quintptr first = (quintptr(data) + page - 1) & ~(page - 1);
    const quintptr end = (quintptr(data) + quintptr(size)) & ~(page - 1);
    if (end > first)
        madvise(reinterpret_cast<void *>(first), end - first, MADV_POPULATE_WRITE);
#else
    Q_UNUSED(data);
    Q_UNUSED(size);
#endif
}

// The bytes of a plain file, read into one block of its size; a file that
// shrank meanwhile gives what is left.
FileError readOpened(int fd, qint64 limit, QByteArray *data) {
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return FileError::Other;
    if (!S_ISREG(st.st_mode) || st.st_size > limit)
        return FileError::Access;
    QByteArray bytes(qsizetype(st.st_size), Qt::Uninitialized);
    if (DriveFileSystem::pagesAhead())
        makePagesPresent(bytes.data(), bytes.size());
    qsizetype got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + got, size_t(bytes.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return FileError::Other;
        if (n == 0)
            break;
        got += n;
    }
    bytes.truncate(got);
    *data = std::move(bytes);
    return FileError::None;
}

} // namespace

// A FIFO where a file should be would never end, nor a device.
FileError DriveFileSystem::readFile(const QString &path, QByteArray *data, qint64 limit) const {
    const QString native = toNative(path);
    if (native.isEmpty())
        return FileError::Other;
    const int fd = ::open(QFile::encodeName(native).constData(), kOpenToRead);
    if (fd < 0)
        return openFailure(native);
    const FileError result = readOpened(fd, limit, data);
    ::close(fd);
    return result;
}

// readdir with the entry types and inodes it gives, so that a folder of
// 100,000 files costs no stat per file; links and unknown types are looked up.
bool DriveFileSystem::listFolder(const QString &dir, FolderListing *listing) const {
    const QString native = toNative(dir);
    if (native.isEmpty())
        return false;
    const QByteArray encoded = QFile::encodeName(native);
    DIR *d = ::opendir(encoded.constData());
    if (!d)
        return false;
    FolderListing result;
    struct stat self {};
    if (::fstat(dirfd(d), &self) == 0)
        result.id = {quint64(self.st_dev), quint64(self.st_ino)};
    while (const dirent *entry = ::readdir(d)) {
        if (entry->d_name[0] == '.')
            continue;
        unsigned char type = entry->d_type;
        FileId id{result.id.device, quint64(entry->d_ino)};
        if (type == DT_UNKNOWN || type == DT_LNK) {
            struct stat st {};
            if (::fstatat(dirfd(d), entry->d_name, &st, 0) != 0)
                continue;
            type = S_ISDIR(st.st_mode) ? DT_DIR : S_ISREG(st.st_mode) ? DT_REG : DT_UNKNOWN;
            id = {quint64(st.st_dev), quint64(st.st_ino)};
        }
        if (type == DT_DIR) {
            result.folders.append(nameFromNativeBytes(entry->d_name));
        } else if (type == DT_REG) {
            result.files.append(nameFromNativeBytes(entry->d_name));
            result.fileIds.append(id);
        }
    }
    ::closedir(d);
    sortNames(result.folders);
    sortNames(result.files, &result.fileIds);
    *listing = std::move(result);
    return true;
}

FileId DriveFileSystem::fileId(const QString &path) const {
    const QString native = toNative(path);
    struct stat st {};
    if (native.isEmpty() || ::stat(QFile::encodeName(native).constData(), &st) != 0)
        return {};
    return {quint64(st.st_dev), quint64(st.st_ino)};
}

namespace {

// The extension of the last name, when it is a plain one: media engines
// look at it.
QString plainSuffix(const QByteArray &native) {
    const qsizetype dot = native.lastIndexOf('.');
    if (dot < 0 || native.indexOf('/', dot) >= 0 || native.size() - dot > 8)
        return {};
    for (qsizetype i = dot + 1; i < native.size(); ++i) {
        if (!std::isalnum(uchar(native.at(i))))
            return {};
    }
    return QString::fromLatin1(native.mid(dot));
}

} // namespace

// Qt and the media engine open files by QString, which a name that is not
// UTF-8 cannot be; a link with a plain name, in a folder of this process's
// own, stands in for it.
QString DriveFileSystem::alias(const QByteArray &native) const {
    const QMutexLocker lock(&m_aliasLock);
    const auto found = m_aliases.constFind(native);
    if (found != m_aliases.constEnd())
        return *found;
    if (!m_aliasDir)
        m_aliasDir = std::make_unique<QTemporaryDir>();
    if (!m_aliasDir->isValid())
        return {};
    const QString link =
        m_aliasDir->filePath(QString::number(m_aliases.size()) + plainSuffix(native));
    if (::symlink(native.constData(), QFile::encodeName(link).constData()) != 0)
        return {};
    m_aliases.insert(native, link);
    return link;
}

} // namespace tv
