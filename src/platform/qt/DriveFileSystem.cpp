#include "platform/qt/DriveFileSystem.h"

#include <QDir>
#include <QFileInfo>
#include <QMutexLocker>
#include <QSaveFile>
#include <QStorageInfo>
#include <algorithm>
#include <cctype>
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
// in a name, nor a control character (it would end the album's line), nor a
// byte that is no part of a UTF-8 character (no text holds one). A native
// name keeps each of them as U+F000 plus its code (its byte), as
// Windows-compatible tools do. U+F000 itself (the code of NUL, which no name
// holds) marks a native character that is taken as it is: a native name that
// holds one of these stand-ins comes back unchanged too.
constexpr QChar kColonStandIn(0xF03A);
constexpr QChar kBackslashStandIn(0xF05C);
constexpr QChar kAsItIs(0xF000);

QChar standIn(uint code) {
    return QChar(char16_t(kAsItIs.unicode() + code));
}

bool isControlStandIn(char16_t u) {
    return u > kAsItIs.unicode() && u < kAsItIs.unicode() + 0x20;
}

bool isByteStandIn(char16_t u) {
    return u >= kAsItIs.unicode() + 0x80 && u <= kAsItIs.unicode() + 0xFF;
}

bool isStandIn(char16_t u) {
    return u == kAsItIs.unicode() || u == kColonStandIn.unicode() ||
           u == kBackslashStandIn.unicode() || isControlStandIn(u) || isByteStandIn(u);
}

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
QString nameFromNative(QStringView native) {
    QString out;
    out.reserve(native.size());
    for (const QChar c : native) {
        const char16_t u = c.unicode();
        if (c == QLatin1Char(':'))
            out += kColonStandIn;
        else if (c == QLatin1Char('\\'))
            out += kBackslashStandIn;
        else if (u > 0 && u < 0x20)
            out += standIn(u);
        else if (isStandIn(u))
            out += kAsItIs + QString(c);
        else
            out += c;
    }
    return out;
}

// How many bytes the UTF-8 character at p takes, or 0 when the bytes there
// are none: a stray byte, a cut or overlong sequence, a surrogate, a code
// beyond U+10FFFF.
int utf8Length(const uchar *p, const uchar *end) {
    static constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    if (*p < 0x80)
        return 1;
    const int n = *p >= 0xC2 && *p <= 0xDF   ? 2
                  : *p >= 0xE0 && *p <= 0xEF ? 3
                  : *p >= 0xF0 && *p <= 0xF4 ? 4
                                             : 0;
    if (n == 0 || end - p < n)
        return 0;
    char32_t c = *p & (0x7F >> n);
    for (int i = 1; i < n; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return 0;
        c = (c << 6) | (p[i] & 0x3F);
    }
    return c < kLeast[n] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF) ? 0 : n;
}

// A name as the disk holds it: its UTF-8 runs as text, each other byte as
// its stand-in, so that a name written by a system in another code page can
// still be found again.
QString nameFromNativeBytes(QByteArrayView bytes) {
    const auto *begin = reinterpret_cast<const uchar *>(bytes.data());
    const uchar *const end = begin + bytes.size();
    QString out;
    const uchar *run = begin;
    for (const uchar *p = begin; p < end;) {
        if (const int n = utf8Length(p, end)) {
            p += n;
            continue;
        }
        out += nameFromNative(QString::fromUtf8(reinterpret_cast<const char *>(run), p - run));
        out += standIn(*p);
        run = ++p;
    }
    return out + nameFromNative(QString::fromUtf8(reinterpret_cast<const char *>(run), end - run));
}

// One character of a lettered name as the native name holds it, or (byte
// not below 0) one byte of a native name that is not UTF-8. i moves past a
// marked character.
struct NativeUnit {
    QChar c;
    int byte = -1;
};

NativeUnit nativeUnit(QStringView lettered, qsizetype &i) {
    const QChar c = lettered.at(i);
    const char16_t u = c.unicode();
    if (c == kAsItIs && i + 1 < lettered.size())
        return {lettered.at(++i)};
    if (c == QLatin1Char('\\') || c == QLatin1Char('/'))
        return {QLatin1Char('/')};
    if (c == kColonStandIn)
        return {QLatin1Char(':')};
    if (c == kBackslashStandIn)
        return {QLatin1Char('\\')};
    if (isControlStandIn(u))
        return {QChar(char16_t(u - kAsItIs.unicode()))};
    if (isByteStandIn(u))
        return {QChar(), int(u - kAsItIs.unicode())};
    return {c};
}

// The other way: both separators become "/", the stand-ins their
// characters. False when a stand-in is a byte, which no QString holds.
bool nameToNative(QStringView lettered, QString *out) {
    out->reserve(lettered.size());
    for (qsizetype i = 0; i < lettered.size(); ++i) {
        const NativeUnit unit = nativeUnit(lettered, i);
        if (unit.byte >= 0)
            return false;
        *out += unit.c;
    }
    return true;
}

QByteArray nameToNativeBytes(QStringView lettered) {
    QByteArray out;
    QString text;
    for (qsizetype i = 0; i < lettered.size(); ++i) {
        const NativeUnit unit = nativeUnit(lettered, i);
        if (unit.byte < 0) {
            text += unit.c;
            continue;
        }
        out += QFile::encodeName(text) + char(unit.byte);
        text.clear();
    }
    return out + QFile::encodeName(text);
}

// A name in capitals unit by unit, a low surrogate standing for its whole
// pair: Windows compares names so when it lists a folder, which puts "[" and
// "_" after the Latin letters and "Ё" before "А".
std::u32string foldedKey(const QString &name) {
    std::u32string key(size_t(name.size()), U'\0');
    char16_t last = 0;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t unit = name.at(i).unicode();
        char32_t c = unit;
        if (QChar::isLowSurrogate(unit) && QChar::isHighSurrogate(last))
            c = QChar::surrogateToUcs4(last, unit);
        key[size_t(i)] =
            c < 0x80 ? (c >= 'a' && c <= 'z' ? c - ('a' - 'A') : c) : QChar::toUpper(c);
        last = unit;
    }
    return key;
}

// Windows lists names without regard to case; equal ones keep a fixed order.
// Each name is folded once, not at each of the comparisons of a folder of
// 100,000 files. The ids, when given, follow their names.
void sortNames(QStringList &names, QList<FileId> *ids = nullptr) {
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
    if (!ids)
        return;
    QList<FileId> sortedIds;
    sortedIds.reserve(ids->size());
    for (const qsizetype i : order)
        sortedIds.append(ids->at(i));
    *ids = std::move(sortedIds);
}

} // namespace

void sortAsListed(QStringList &names) {
    sortNames(names);
}

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

QString DriveFileSystem::toNative(const QString &path) const {
    bool aliased = false;
    return nativePath(path, &aliased);
}

// Built in one piece: every tag the browser reads goes through here.
QString DriveFileSystem::nativePath(const QString &path, bool *aliased) const {
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
    const QString root = drive->root == QLatin1String("/") ? QString() : drive->root;
    QString rest;
    if (!nameToNative(lettered, &rest)) {
        *aliased = true;
        return alias(QFile::encodeName(root) + '/' + nameToNativeBytes(lettered));
    }
    if (rest.isEmpty())
        return drive->root;
    QString native;
    native.reserve(root.size() + 1 + rest.size());
    native.append(root);
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
    // Through a link the new file would replace the link, not the file.
    bool aliased = false;
    const QString native = nativePath(path, &aliased);
    if (native.isEmpty() || aliased)
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
    FolderListing listing;
    if (!listFolder(dir, &listing))
        return {};
    QStringList names;
    for (QString &name : listing.files) {
        if (name.endsWith(extension, Qt::CaseInsensitive))
            names.append(std::move(name));
    }
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

#else

// Windows names are UTF-16 and never hold such a byte.
QString DriveFileSystem::alias(const QByteArray &) const {
    return {};
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

#endif

} // namespace tv
