#pragma once

#include "core/SongList.h"

#include <QStringList>

namespace tv {

// The songs of the open album: ListPath and the PlayList rows over it change
// only through these, so that what every change must do is said once.

// New entries at the end, each shown as the next numbered row; the album
// counts as changed, so that closing it asks before the songs are lost.
void appendSongs(const QStringList &entries);
// The album's songs anew (reordered, retitled, removed or read), then the
// refresh (UpDatePlayListM): the selection stays where it can and the album
// counts as changed.
void replaceSongs(QStringList entries);
void replaceSongs(SongList entries);
// No songs at all; the album does not count as changed by this alone.
void clearSongs();

// Rebuilds PlayList from ListPath, keeps the selection where it can, focuses
// the playlist and marks the album as changed.
void UpDatePlayListM();

} // namespace tv
