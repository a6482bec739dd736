#include "MemoryFs.h"

#include "platform/qt/DriveFileSystem.h"

namespace tv::test {

namespace {

QString parentOf(const QString &key) {
    const int slash = int(key.lastIndexOf(QLatin1Char('/')));
    return slash <= 2 ? key.left(2) : key.left(slash);
}

QString nameOf(const QString &key) {
    return key.mid(key.lastIndexOf(QLatin1Char('/')) + 1);
}

} // namespace

MemoryFs::MemoryFs(const QStringList &letters) {
    for (const QString &letter : letters) {
        m_drives.append(letter.left(1).toUpper() + QLatin1Char(':'));
        m_folders.insert(m_drives.last());
    }
    m_drives.sort();
}

// "c:\Music\" -> "C:/Music"; a drive alone is "C:".
QString MemoryFs::key(const QString &path) const {
    if (path.size() < 2 || path.at(1) != QLatin1Char(':'))
        return {};
    QString k = path.left(1).toUpper() + path.mid(1);
    k.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (k.size() > 2 && k.endsWith(QLatin1Char('/')))
        k.chop(1);
    return m_drives.contains(k.left(2)) ? k : QString();
}

void MemoryFs::addFolder(const QString &path) {
    for (QString k = key(path); k.size() > 2 && !m_folders.contains(k); k = parentOf(k))
        m_folders.insert(k);
}

void MemoryFs::addFile(const QString &path, const QByteArray &bytes) {
    addFolder(parentOf(key(path)));
    m_files.insert(key(path), bytes);
}

void MemoryFs::addLink(const QString &path, const QString &target) {
    addFolder(parentOf(key(path)));
    m_links.insert(key(path), key(target));
}

// Each step replaces the longest linked prefix by its target; a chain that
// goes on longer than the system allows is a loop.
QString MemoryFs::real(const QString &path) const {
    QString k = key(path);
    for (int hops = 0; hops < 40; ++hops) {
        qsizetype end = k.size();
        while (end > 2 && !m_links.contains(k.left(end)))
            end = k.lastIndexOf(QLatin1Char('/'), end - 1);
        if (end <= 2)
            return k;
        k = m_links.value(k.left(end)) + k.mid(end);
    }
    return {};
}

FileId MemoryFs::idOf(const QString &realKey) const {
    if (!m_files.contains(realKey) && !m_folders.contains(realKey))
        return {};
    return {quint64(m_drives.indexOf(realKey.left(2)) + 1), quint64(qHash(realKey)) | 1};
}

void MemoryFs::remove(const QString &path) {
    const QString k = key(path);
    const auto gone = [&](const QString &p) {
        return p == k || p.startsWith(k + QLatin1Char('/'));
    };
    m_files.removeIf([&](auto it) { return gone(it.key()); });
    m_folders.removeIf(gone);
}

bool MemoryFs::fileExists(const QString &path) const {
    return m_files.contains(real(path)) && !nameOf(key(path)).startsWith(QLatin1Char('.'));
}

FileError MemoryFs::find(const QString &path, QByteArray *data) const {
    if (beforeRead)
        beforeRead(path);
    const QString k = real(path);
    if (m_files.contains(k)) {
        *data = m_files.value(k);
        return FileError::None;
    }
    if (m_folders.contains(k))
        return FileError::Access;
    return m_folders.contains(parentOf(k)) ? FileError::NotFound : FileError::Other;
}

FileError MemoryFs::readPieces(const QString &path, const NextPiece &next) const {
    QByteArray file;
    const FileError error = find(path, &file);
    if (error != FileError::None)
        return error;
    QByteArray piece;
    qint64 offset = 0, length = 0;
    while (next(file.size(), piece, &offset, &length)) {
        reads << QStringLiteral("piece:%1:%2:%3").arg(path).arg(offset).arg(length);
        if (offset < 0 || length < 0)
            return FileError::Other;
        piece = file.mid(offset, length);
    }
    return FileError::None;
}

FileError MemoryFs::writeFile(const QString &path, const QByteArray &data) {
    const QString k = key(path);
    if (m_folders.contains(k) || m_readOnly.contains(k))
        return FileError::Access;
    if (k.isEmpty() || !m_folders.contains(parentOf(k)))
        return FileError::Other;
    m_files.insert(k, data);
    return FileError::None;
}

// Links are listed by what they reach; a link to nothing is not listed.
bool MemoryFs::listFolder(const QString &dir, FolderListing *listing) const {
    const QString k = real(dir);
    if (!m_folders.contains(k))
        return false;
    FolderListing result;
    result.id = idOf(k);
    for (const QString &entry : m_links.keys() + m_folders.values() + m_files.keys()) {
        if (entry.size() <= 2 || parentOf(entry) != k || nameOf(entry).startsWith('.'))
            continue;
        const QString target = real(entry);
        if (m_folders.contains(target))
            result.folders.append(nameOf(entry));
        else if (m_files.contains(target))
            result.files.append(nameOf(entry));
    }
    sortAsListed(result.folders);
    sortAsListed(result.files);
    for (const QString &name : std::as_const(result.files))
        result.fileIds.append(idOf(real(k + QLatin1Char('/') + name)));
    *listing = result;
    return true;
}

QStringList MemoryFs::listFiles(const QString &dir, const QString &extension) const {
    FolderListing listing;
    listFolder(dir, &listing);
    listing.files.removeIf(
        [&](const QString &name) { return !name.endsWith(extension, Qt::CaseInsensitive); });
    return listing.files;
}

} // namespace tv::test
