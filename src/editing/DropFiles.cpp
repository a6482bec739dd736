#include "editing/DropFiles.h"

#include "core/AlbumFormat.h"
#include "core/Forma.h"
#include "core/Globals.h"
#include "core/Songs.h"
#include "core/Turns.h"
#include "editing/AddFiles.h"
#include "editing/M3uFormat.h"
#include "editing/Slices.h"
#include "platform/Ports.h"
#include "playback/Sequence.h"

#include <QSet>
#include <QUrl>
#include <memory>
#include <utility>

namespace tv {

namespace {

qsizetype lastSep(const QString &path) {
    return qMax(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
}

// The album's entries for the files it does not hold: each title is a read
// of the file's tag, a step of its own. The files of a folder come together,
// and their folder is held while they are read.
QStringList newEntries(const QStringList &files, int namePesni, Slices &slices) {
    const LowPath held = LoadLowPath(files);
    QStringList entries;
    QString folder;
    std::unique_ptr<FolderHeld> inFolder;
    for (qsizetype i = 0; i < files.size(); ++i) {
        slices.step(i, files.size());
        const QString &path = files.at(i);
        if (held.contains(path))
            continue;
        const qsizetype cut = lastSep(path) + 1;
        if (QStringView(path).left(cut) != folder) {
            folder = path.left(cut);
            inFolder.reset();
            inFolder = std::make_unique<FolderHeld>(*P().fs, folder);
        }
        entries.append(SongEntry::join(newSongTitle(folder, path.mid(cut), namePesni), path));
    }
    return entries;
}

// Events let in on the way may have added some of the files meanwhile.
QStringList stillNew(const QStringList &entries) {
    const LowPath held = LoadLowPath();
    QStringList fresh;
    for (const QString &entry : entries) {
        if (!held.contains(songPath(entry)))
            fresh.append(entry);
    }
    return fresh;
}

// Whether the album's songs are other than those of the copy: any change
// since the copy was taken gave the album a list of its own.
bool changedSince(const SongList &before) {
    const SongList &now = frmForma().ListPath;
    return !now.isSharedWith(before) || now.size() != before.size();
}

} // namespace

// By value: the list may be the caller's, and events run on the way. The
// copy of the album is gone before the songs are appended: it would make the
// append copy the album whole.
void DropFiles(QStringList paths, int namePesni) {
    Slices slices;
    QStringList entries, silent;
    bool changed = false;
    {
        const SongList before = frmForma().ListPath;
        const Dropped dropped = droppedMp3Files(paths, slices);
        entries = newEntries(dropped.files, namePesni, slices);
        changed = changedSince(before);
        silent = dropped.silent;
    }
    if (changed)
        entries = stillNew(entries);
    slices.finish();
    if (!entries.isEmpty())
        appendSongs(entries);
    for (const QString &playlist : std::as_const(silent))
        P().dialogs->MsgBox(playlist + QStringLiteral("\r\n") + G().strNoSongs,
                            vbOKOnly | vbExclamation, G().strTitle);
}

void DropFilesM(const QStringList &paths, int namePesni) {
    runCommand([paths, namePesni] { DropFiles(paths, namePesni); });
}

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

namespace {

// So many names are shown in a message; the rest are counted.
constexpr qsizetype kNamesShown = 10;

// The index of the first named MP3 file the album holds, or -1.
int firstHeld(const QStringList &paths) {
    const SongList &songs = frmForma().ListPath;
    for (const QString &path : paths) {
        if (!path.endsWith(QLatin1String(".mp3"), Qt::CaseInsensitive))
            continue;
        for (int i = 0; i < songs.size(); ++i) {
            if (songPathView(songs.at(i)).compare(path, Qt::CaseInsensitive) == 0)
                return i;
        }
    }
    return -1;
}

void takeFiles(const QStringList &paths) {
    const qsizetype before = frmForma().ListPath.size();
    DropFiles(paths, G().NamePesni);
    // Songs removed while the files were read leave no place to start from.
    if (frmForma().ListPath.size() < before)
        return;
    const int start = frmForma().ListPath.size() > before ? int(before) : firstHeld(paths);
    if (start >= 0)
        NewPlayM(start);
}

// One message for all the files refused for one reason, as the drop says a
// playlist without songs.
void sayRefused(const QStringList &paths, const QString &why) {
    if (paths.isEmpty())
        return;
    QStringList lines = paths.first(qMin(paths.size(), kNamesShown));
    if (paths.size() > kNamesShown)
        lines << QStringLiteral("... (+%1)").arg(paths.size() - kNamesShown);
    P().dialogs->MsgBox(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n") + why,
                        vbOKOnly | vbExclamation, G().strTitle);
}

// One command: its messages are questions too, and a command let in at them
// waits for the files to be taken.
void openPaths(const QStringList &paths, QStringList notFound) {
    QStringList taken, cantOpen;
    for (const QString &path : paths) {
        const Refusal refusal = refusalOf(path);
        (refusal == Refusal::None       ? taken
         : refusal == Refusal::NotFound ? notFound
                                        : cantOpen)
            .append(path);
    }
    if (!taken.isEmpty())
        takeFiles(taken);
    sayRefused(notFound, G().strNotFound);
    sayRefused(cantOpen, G().strCantOpen);
}

} // namespace

// The paths no drive holds are said as they were given.
void OpenFilesM(const QStringList &nativePaths) {
    QStringList paths, unknown;
    for (const QString &native : nativePaths) {
        const QString path = P().fs->fromNative(native);
        (path.isEmpty() ? unknown : paths).append(path.isEmpty() ? native : path);
    }
    OpenPathsM(paths, unknown);
}

void OpenPathsM(const QStringList &paths, const QStringList &notFound) {
    runCommand([paths, notFound] { openPaths(paths, notFound); });
}

bool opensPath(const QString &path) {
    return refusalOf(path) == Refusal::None;
}

} // namespace tv
