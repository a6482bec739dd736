#pragma once

#include "core/Globals.h"

namespace tv {

// The rows of lstAlbomy and the album registry (Alboms, AlbomUB) stand for
// the same albums index by index. After start-up's settings read they change
// only here and always together, so an event let in between two steps of a
// routine never finds them apart.

// The list anew: one row per entry, the registry the entries themselves.
void setAlbumList(const QVector<AlbomInfo> &entries);
// One more row; an album not saved yet shows a placeholder row over an
// entry without a name.
void appendAlbumEntry(const QString &row, const AlbomInfo &entry);
void removeAlbumEntry(int i);

// The song entry i remembers (-1: none started yet), and its name; -1 and
// an empty name when the registry has no such entry.
int rememberedSong(int i);
QString albumName(int i);
// Entry i remembers song as the last one started in it; no entry, no change.
void rememberSong(int i, int song);

} // namespace tv
