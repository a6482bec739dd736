#include "platform/qt/DriveFileSystem.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>
#include <algorithm>
#include <cerrno>
#include <numeric>
#include <string>
#include <vector>

#ifndef Q_OS_WIN
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tv {

namespace {

// A lettered path cannot hold ":" (only the drive's) or "\" (a separator)
// in a name, so a native name keeps them as U+F000 plus their code, as
// Windows-compatible tools do. U+F000 itself (the code of NUL, which no name
// holds) marks a native character that is taken as it is: a native name
// that holds one of these three comes back unchanged too.
constexpr QChar kColonStandIn(0xF03A);
constexpr QChar kBackslashStandIn(0xF05C);
constexpr QChar kAsItIs(0xF000);

QString cleanRoot(QString root) {
    while (root.size() > 1 && root.endsWith(QLatin1Char('/')))
        root.chop(1);
    return root;
}

bool underRoot(const QString &native, const QString &root) {
    if (root == QLatin1String("/"))
        return native.startsWith(QLatin1Char('/'));
    return native == root || native.startsWith(root + QLatin1Char('/'));
}

// Removable volumes are mounted here: /media/USER/NAME, /run/media/USER/NAME,
// /mnt/NAME.
bool isRemovableMount(const QString &root) {
    const QStringList parts = root.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (parts.size() == 3 && parts[0] == QLatin1String("media"))
        return true;
    if (parts.size() == 4 && parts[0] == QLatin1String("run") && parts[1] == QLatin1String("media"))
        return true;
    return parts.size() == 2 && parts[0] == QLatin1String("mnt");
}

// A native path's names as the program holds them; "/" stays the separator.
QString nameFromNative(const QString &native) {
    QString out;
    out.reserve(native.size());
    for (const QChar c : native) {
        if (c == QLatin1Char(':'))
            out += kColonStandIn;
        else if (c == QLatin1Char('\\'))
            out += kBackslashStandIn;
        else if (c == kColonStandIn || c == kBackslashStandIn || c == kAsItIs)
            out += kAsItIs + QString(c);
        else
            out += c;
    }
    return out;
}

// The other way: both separators become "/", the stand-ins their characters.
QString nameToNative(QStringView lettered) {
    QString out;
    out.reserve(lettered.size());
    for (qsizetype i = 0; i < lettered.size(); ++i) {
        const QChar c = lettered.at(i);
        if (c == kAsItIs && i + 1 < lettered.size())
            out += lettered.at(++i);
        else if (c == QLatin1Char('\\') || c == QLatin1Char('/'))
            out += QLatin1Char('/');
        else if (c == kColonStandIn)
            out += QLatin1Char(':');
        else if (c == kBackslashStandIn)
            out += QLatin1Char('\\');
        else
            out += c;
    }
    return out;
}

// A name case-folded unit by unit, a low surrogate standing for its whole
// pair, as QString::compare folds it when letter case is ignored.
std::u32string foldedKey(const QString &name) {
    std::u32string key(size_t(name.size()), U'\0');
    char16_t last = 0;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t unit = name.at(i).unicode();
        char32_t c = unit;
        if (QChar::isLowSurrogate(unit) && QChar::isHighSurrogate(last))
            c = QChar::surrogateToUcs4(last, unit);
        key[size_t(i)] =
            c < 0x80 ? (c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c) : QChar::toCaseFolded(c);
        last = unit;
    }
    return key;
}

// Windows lists names without regard to case; equal ones keep a fixed order.
// Each name is folded once, not at each of the comparisons of a folder of
// 100,000 files.
void sortNames(QStringList &names) {
    std::vector<std::u32string> keys;
    keys.reserve(size_t(names.size()));
    for (const QString &name : std::as_const(names))
        keys.push_back(foldedKey(name));
    std::vector<qsizetype> order(size_t(names.size()));
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        const int c = keys[size_t(a)].compare(keys[size_t(b)]);
        return c != 0 ? c < 0 : names.at(a) < names.at(b);
    });
    QStringList sorted;
    sorted.reserve(names.size());
    for (const qsizetype i : order)
        sorted.append(std::move(names[i]));
    names = std::move(sorted);
}

} // namespace

DriveFileSystem::DriveFileSystem(QList<Drive> drives) : m_drives(std::move(drives)) {
    for (Drive &d : m_drives) {
        d.letter = d.letter.left(1).toUpper() + QLatin1Char(':');
        d.root = cleanRoot(d.root);
    }
    std::sort(m_drives.begin(), m_drives.end(),
              [](const Drive &a, const Drive &b) { return a.letter < b.letter; });
}

QList<Drive> DriveFileSystem::systemDrives() {
#ifdef Q_OS_WIN
    QList<Drive> drives;
    for (const QFileInfo &d : QDir::drives())
        drives.append({d.path().left(2), d.path()});
    return drives;
#else
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
#endif
}

QStringList DriveFileSystem::drives() const {
    QStringList letters;
    for (const Drive &d : m_drives)
        letters.append(d.letter);
    return letters;
}

// Built in one piece: every tag the browser reads goes through here.
QString DriveFileSystem::toNative(const QString &path) const {
    if (path.size() < 2 || path.at(1) != QLatin1Char(':'))
        return {};
    const QChar letter = path.at(0).toUpper();
    const auto drive = std::find_if(m_drives.begin(), m_drives.end(),
                                    [&](const Drive &d) { return d.letter.at(0) == letter; });
    if (drive == m_drives.end())
        return {};
    QStringView lettered = QStringView(path).mid(2);
    while (lettered.startsWith(QLatin1Char('/')) || lettered.startsWith(QLatin1Char('\\')))
        lettered = lettered.mid(1);
    const QString rest = nameToNative(lettered);
    if (rest.isEmpty())
        return drive->root;
    QString native;
    native.reserve(drive->root.size() + 1 + rest.size());
    if (drive->root != QLatin1String("/"))
        native.append(drive->root);
    native.append(QLatin1Char('/'));
    native.append(rest);
    return native;
}

QString DriveFileSystem::fromNative(const QString &native) const {
    const Drive *best = nullptr;
    for (const Drive &d : m_drives) {
        if (underRoot(native, d.root) && (!best || d.root.size() > best->root.size()))
            best = &d;
    }
    if (!best)
        return {};
    QString rest = nameFromNative(QDir::fromNativeSeparators(native).mid(
        best->root == QLatin1String("/") ? 0 : best->root.size()));
    if (!rest.startsWith(QLatin1Char('/')))
        rest.prepend(QLatin1Char('/'));
    return best->letter + rest;
}

bool DriveFileSystem::fileExists(const QString &path) const {
    const QString native = toNative(path);
    if (native.isEmpty())
        return false;
    const QFileInfo info(native);
    return info.isFile() && !info.isHidden();
}

FileError DriveFileSystem::readFile(const QString &path, QByteArray *data) const {
    const QString native = toNative(path);
    if (native.isEmpty())
        return FileError::Other;
    if (!QFileInfo::exists(native))
        return QFileInfo(native).dir().exists() ? FileError::NotFound : FileError::Other;
    QFile file(native);
    if (QFileInfo(native).isDir() || !file.open(QIODevice::ReadOnly))
        return FileError::Access;
    *data = file.readAll();
    return file.error() == QFileDevice::NoError ? FileError::None : FileError::Other;
}

FileError DriveFileSystem::writeFile(const QString &path, const QByteArray &data) {
    const QString native = toNative(path);
    if (native.isEmpty())
        return FileError::Other;
    const QFileInfo info(native);
    if (info.isDir())
        return FileError::Access;
    // The read-only mark counts even for a user (root) the system would let write.
    if (info.exists() && !(info.permissions() & QFileDevice::WriteOwner))
        return FileError::Access;
    if (!info.dir().exists())
        return FileError::Other;
    QSaveFile file(native);
    if (!file.open(QIODevice::WriteOnly))
        return FileError::Other;
    if (file.write(data) != data.size()) {
        file.cancelWriting();
        return FileError::Other;
    }
    return file.commit() ? FileError::None : FileError::Other;
}

QStringList DriveFileSystem::listFiles(const QString &dir, const QString &extension) const {
    const QString native = toNative(dir);
    if (native.isEmpty())
        return {};
    QStringList names;
    const QFileInfoList entries = QDir(native).entryInfoList(QDir::Files | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : entries) {
        if (entry.fileName().endsWith(extension, Qt::CaseInsensitive))
            names.append(nameFromNative(entry.fileName()));
    }
    sortNames(names);
    return names;
}

#ifndef Q_OS_WIN

FileError DriveFileSystem::readPieces(const QString &path, const NextPiece &next) const {
    const QString native = toNative(path);
    if (native.isEmpty())
        return FileError::Other;
    const int fd = ::open(QFile::encodeName(native).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? FileError::NotFound : FileError::Access;
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

// readdir with the entry types it gives, so that a folder of 100,000 files
// costs no stat per file; links and unknown types are looked up.
bool DriveFileSystem::listFolder(const QString &dir, FolderListing *listing) const {
    const QString native = toNative(dir);
    if (native.isEmpty())
        return false;
    const QByteArray encoded = QFile::encodeName(native);
    DIR *d = ::opendir(encoded.constData());
    if (!d)
        return false;
    FolderListing result;
    while (const dirent *entry = ::readdir(d)) {
        if (entry->d_name[0] == '.')
            continue;
        unsigned char type = entry->d_type;
        if (type == DT_UNKNOWN || type == DT_LNK) {
            struct stat st {};
            if (::fstatat(dirfd(d), entry->d_name, &st, 0) != 0)
                continue;
            type = S_ISDIR(st.st_mode) ? DT_DIR : S_ISREG(st.st_mode) ? DT_REG : DT_UNKNOWN;
        }
        if (type == DT_DIR)
            result.folders.append(nameFromNative(QFile::decodeName(entry->d_name)));
        else if (type == DT_REG)
            result.files.append(nameFromNative(QFile::decodeName(entry->d_name)));
    }
    ::closedir(d);
    sortNames(result.folders);
    sortNames(result.files);
    *listing = std::move(result);
    return true;
}

#else

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
    return true;
}

#endif

} // namespace tv
