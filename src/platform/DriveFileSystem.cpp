#include "platform/FileSystem.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>
#include <algorithm>

namespace tv {

namespace {

// Windows-compatible tools keep a ":" of a native name as this character.
constexpr QChar kColonStandIn(0xF03A);

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

QString DriveFileSystem::toNative(const QString &path) const {
    if (path.size() < 2 || path.at(1) != QLatin1Char(':'))
        return {};
    const QString letter = path.left(1).toUpper() + QLatin1Char(':');
    const auto drive = std::find_if(m_drives.begin(), m_drives.end(),
                                    [&](const Drive &d) { return d.letter == letter; });
    if (drive == m_drives.end())
        return {};
    QString rest = path.mid(2);
    rest.replace(QLatin1Char('\\'), QLatin1Char('/'));
    rest.replace(kColonStandIn, QLatin1Char(':'));
    while (rest.startsWith(QLatin1Char('/')))
        rest.remove(0, 1);
    if (rest.isEmpty())
        return drive->root;
    return drive->root == QLatin1String("/") ? QLatin1Char('/') + rest
                                             : drive->root + QLatin1Char('/') + rest;
}

QString DriveFileSystem::fromNative(const QString &native) const {
    const Drive *best = nullptr;
    for (const Drive &d : m_drives) {
        if (underRoot(native, d.root) && (!best || d.root.size() > best->root.size()))
            best = &d;
    }
    if (!best)
        return {};
    QString rest = native.mid(best->root == QLatin1String("/") ? 0 : best->root.size());
    rest.replace(QLatin1Char(':'), kColonStandIn);
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
            names.append(entry.fileName().replace(QLatin1Char(':'), kColonStandIn));
    }
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}

} // namespace tv
