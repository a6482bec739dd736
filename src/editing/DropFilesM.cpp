#include "editing/DropFilesM.h"

#include "core/Cp1251.h"
#include "core/Globals.h"
#include "core/SongEntry.h"
#include "core/Songs.h"
#include "editing/AddFilesM.h"
#include "platform/Ports.h"

#include <QSet>
#include <QStringDecoder>
#include <QUrl>

namespace tv {

namespace {

// A link back up the tree would otherwise be followed without end.
constexpr int kMaxDepth = 32;

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

void addFolder(const QString &dir, int depth, QStringList *out) {
    FolderListing listing;
    if (depth > kMaxDepth || !P().fs->listFolder(dir, &listing))
        return;
    const QString folder = withSep(dir);
    for (const QString &name : listing.files) {
        if (isMp3(name))
            out->append(folder + name);
    }
    for (const QString &sub : listing.folders)
        addFolder(folder + sub, depth + 1, out);
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

// An .m3u8 is UTF-8; an .m3u may be either, and is read as Windows-1251 when
// it is not valid UTF-8.
QString playlistText(const QString &path, const QByteArray &bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (!hasSuffix(path, ".m3u8") && utf8.hasError())
        text = Cp1251::decode(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

void addPlaylist(const QString &path, QStringList *out) {
    QByteArray bytes;
    if (P().fs->readFile(path, &bytes) != FileError::None)
        return;
    const QString dir = path.left(lastSep(path));
    const QStringList lines = playlistText(path, bytes).split(QLatin1Char('\n'));
    for (const QString &raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QString song = entryPath(line, dir);
        if (!song.isEmpty() && isMp3(song) && P().fs->fileExists(song))
            out->append(song);
    }
}

// The album's entries for the files, each path once and none it holds.
QStringList newEntries(const QStringList &files, int namePesni) {
    const LowPath lowPath = LoadLowPath();
    QSet<QString> seen;
    QStringList entries;
    for (const QString &path : files) {
        const QString low = path.toLower();
        if (seen.contains(low) || lowPath.contains(path))
            continue;
        seen.insert(low);
        const qsizetype cut = lastSep(path) + 1;
        entries.append(
            SongEntry::join(newSongTitle(path.left(cut), path.mid(cut), namePesni), path));
    }
    return entries;
}

} // namespace

QStringList droppedMp3Files(const QStringList &paths) {
    QStringList files;
    for (const QString &path : paths) {
        if (P().fs->fileExists(path)) {
            if (isMp3(path))
                files.append(path);
            else if (isPlaylist(path))
                addPlaylist(path, &files);
        } else {
            addFolder(path, 0, &files);
        }
    }
    return files;
}

void DropFiles(const QStringList &paths, int namePesni) {
    const QStringList entries = newEntries(droppedMp3Files(paths), namePesni);
    if (!entries.isEmpty())
        appendSongs(entries);
}

} // namespace tv
