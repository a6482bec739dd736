#include "playback/FoundSearch.h"

#include "core/Forma.h"
#include "core/Globals.h"
#include "core/SongEntry.h"
#include "core/Songs.h"
#include "editing/AddFilesM.h"
#include "platform/Ports.h"
#include "playback/FoundMatch.h"

#include <QSet>

namespace tv {

void FoundSearchM(const QString &text) {
    Globals &g = G();
    g.Found.clear();
    const FoundMatcher matcher(text);
    const QVector<AlbomInfo> albums = g.Alboms;
    for (const AlbomInfo &album : albums) {
        QByteArray bytes;
        if (P().fs->readFile(g.AppDir + album.Name, &bytes, kAlbumFileLimit) != FileError::None)
            continue;
        for (SongEntry &song : matcher.songsIn(bytes))
            g.Found.append({album.Name, std::move(song.title), std::move(song.path)});
    }
}

namespace {

// The songs of Found(first) to Found(first + count - 1) whose files the album
// did not hold before, letter case ignored as in the browser; a path found
// in several albums is taken once, but paths that differ in letter case are
// other files.
QStringList newSongs(int first, int count) {
    const LowPath held = LoadLowPath();
    QSet<QString> taken;
    QStringList songs;
    const int last = std::min(first + count, int(G().Found.size()));
    for (int k = std::max(first, 0); k < last; ++k) {
        const FoundInfo &found = G().Found.at(k);
        if (taken.contains(found.Path) || held.contains(found.Path))
            continue;
        taken.insert(found.Path);
        songs.append(SongEntry::join(found.Title, found.Path));
    }
    return songs;
}

void appendAndSelect(const QStringList &songs) {
    if (songs.isEmpty())
        return;
    appendSongs(songs);
    PlayListModel &playList = frmForma().PlayList;
    playList.setListIndex(playList.ListCount() - 1);
}

} // namespace

void AddFoundSong(int k) {
    appendAndSelect(newSongs(k, 1));
}

void AddAllFound(int count) {
    appendAndSelect(newSongs(0, count));
}

} // namespace tv
