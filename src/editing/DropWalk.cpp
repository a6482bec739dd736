#include "editing/DropFilesM.h"

#include "core/Globals.h"
#include "editing/M3uFormat.h"
#include "editing/Slices.h"
#include "platform/Ports.h"

#include <QSet>
#include <QUrl>

#include <utility>

namespace tv {

namespace {

constexpr int kMaxDepthWithoutIds = 32;

bool hasSuffix(const QString &path, const char *suffix) {
    return path.endsWith(QLatin1String(suffix), Qt::CaseInsensitive);
}

bool isMp3(const QString &path) {
    return hasSuffix(path, ".mp3");
}

bool isPlaylist(const QString &path) {
    return hasSuffix(path, ".m3u") || hasSuffix(path, ".m3u8");
}

qsizetype lastSep(const QString &path) {
    return qMax(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
}

QString withSep(const QString &dir) {
    const QString &sep = G().PathSep;
    return dir.endsWith(QLatin1Char('/')) || dir.endsWith(QLatin1Char('\\')) ? dir : dir + sep;
}

// Playlists written on Windows use "\", elsewhere "/": either is a separator.
// "." and ".." are resolved, as a file system would.
QString cleanPath(const QString &letter, const QString &rest) {
    QStringList parts;
    QString slashed = rest;
    slashed.replace(QLatin1Char('\\'), QLatin1Char('/'));
    for (const QString &part : slashed.split(QLatin1Char('/'))) {
        if (part.isEmpty() || part == QLatin1String("."))
            continue;
        if (part == QLatin1String("..")) {
            if (!parts.isEmpty())
                parts.removeLast();
        } else {
            parts.append(part);
        }
    }
    return letter + G().PathSep + parts.join(G().PathSep);
}

bool isLettered(const QString &entry) {
    return entry.size() >= 2 && entry.at(1) == QLatin1Char(':') && entry.at(0).isLetter();
}

// The lettered path an entry names, or empty for a web address or a path no
// drive holds.
QString entryPath(const QString &entry, const QString &playlistDir) {
    QString path = entry;
    if (entry.startsWith(QLatin1String("file://"), Qt::CaseInsensitive))
        path = P().fs->fromNative(QUrl(entry).toLocalFile());
    else if (entry.contains(QLatin1String("://")))
        return {};
    else if (entry.startsWith(QLatin1Char('/')))
        path = P().fs->fromNative(entry);
    else if (!isLettered(entry))
        path = playlistDir + G().PathSep + entry;
    if (!isLettered(path))
        return {};
    return cleanPath(path.left(2), path.mid(2));
}

// The walk of one drop: each real folder listed once, each file taken once.
class Walk {
public:
    explicit Walk(Slices &slices) : m_slices(slices) {}

    void add(const QString &path) {
        m_slices.step(m_out.files.size());
        if (!P().fs->fileExists(path))
            addTree(path);
        else if (isMp3(path))
            take(path, P().fs->fileId(path));
        else if (isPlaylist(path))
            addPlaylist(path);
    }

    Dropped result() { return std::move(m_out); }

private:
    // Where the system tells no ids, paths stand for them.
    bool firstTime(QSet<FileId> &ids, const FileId &id, const QString &path) {
        if (id.isNull()) {
            if (m_paths.contains(path))
                return false;
            m_paths.insert(path);
            return true;
        }
        if (ids.contains(id))
            return false;
        ids.insert(id);
        return true;
    }

    void take(const QString &path, const FileId &id) {
        if (firstTime(m_files, id, path))
            m_out.files.append(path);
    }

    // Depth first, a folder's own files before its subfolders', in the
    // order listed. Without ids a loop of links shows only in the depth.
    void addTree(const QString &root) {
        QList<std::pair<QString, int>> pending{{root, 0}};
        while (!pending.isEmpty()) {
            m_slices.step(m_out.files.size());
            const auto [dir, depth] = pending.takeLast();
            FolderListing listing;
            if (!P().fs->listFolder(dir, &listing) || !firstTime(m_folders, listing.id, dir) ||
                (listing.id.isNull() && depth > kMaxDepthWithoutIds))
                continue;
            const QString folder = withSep(dir);
            for (qsizetype i = 0; i < listing.files.size(); ++i) {
                if (isMp3(listing.files.at(i)))
                    take(folder + listing.files.at(i), listing.fileIds.value(i));
            }
            for (qsizetype i = listing.folders.size() - 1; i >= 0; --i)
                pending.append({folder + listing.folders.at(i), depth + 1});
        }
    }

    void addPlaylist(const QString &path) {
        QByteArray bytes;
        bool named = false;
        if (P().fs->readFile(path, &bytes, kAlbumFileLimit) == FileError::None) {
            const QString dir = path.left(lastSep(path));
            // A playlist names a file over and over: one look at the disk each.
            QSet<QString> looked;
            M3uFormat::read(
                bytes, hasSuffix(path, ".m3u8"),
                [this] {
                    m_slices.step(m_out.files.size());
                    return true;
                },
                [&](const QString &entry) {
                    const QString song = entryPath(entry, dir);
                    if (song.isEmpty() || !isMp3(song) || looked.contains(song))
                        return;
                    looked.insert(song);
                    if (!P().fs->fileExists(song))
                        return;
                    named = true;
                    take(song, P().fs->fileId(song));
                });
        }
        if (!named)
            m_out.silent.append(path);
    }

    Slices &m_slices;
    Dropped m_out;
    QSet<FileId> m_files, m_folders;
    QSet<QString> m_paths;
};

} // namespace

Refusal refusalOf(const QString &path) {
    if (P().fs->fileExists(path))
        return isMp3(path) || isPlaylist(path) ? Refusal::None : Refusal::CantOpen;
    FolderListing listing;
    if (P().fs->listFolder(path, &listing))
        return Refusal::None;
    return P().fs->fileId(path).isNull() ? Refusal::NotFound : Refusal::CantOpen;
}

Dropped droppedMp3Files(const QStringList &paths, Slices &slices) {
    Walk walk(slices);
    for (const QString &path : paths)
        walk.add(path);
    return walk.result();
}

} // namespace tv
