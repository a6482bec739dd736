#include "platform/qt/DriveFileSystem.h"

#include "platform/qt/DriveNames.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <atomic>

namespace tv {

using namespace drive;

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

// Bytes that are not UTF-8 lie in names below a drive's root, never in it.
QString DriveFileSystem::fromNativeBytes(const QByteArray &native) const {
    const QString lettered = fromNative(QString::fromUtf8(native));
    for (const Drive &d : m_drives) {
        if (lettered.isEmpty() || !lettered.startsWith(d.letter))
            continue;
        const qsizetype root = d.root == QLatin1String("/") ? 0 : d.root.toUtf8().size();
        QString rest = nameFromNativeBytes(native.mid(root));
        if (!rest.startsWith(QLatin1Char('/')))
            rest.prepend(QLatin1Char('/'));
        return d.letter + rest;
    }
    return {};
}

void DriveFileSystem::removeLinks() {
    const QMutexLocker lock(&m_aliasLock);
    m_aliasDir.reset();
    m_aliases.clear();
}

namespace {
std::atomic<bool> g_pagesAhead{true};
}

void DriveFileSystem::setPagesAhead(bool on) {
    g_pagesAhead = on;
}

bool DriveFileSystem::pagesAhead() {
    return g_pagesAhead;
}

bool DriveFileSystem::fileExists(const QString &path) const {
    const QString native = toNative(path);
    if (native.isEmpty())
        return false;
    const QFileInfo info(native);
    return info.isFile() && !info.isHidden();
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

} // namespace tv
