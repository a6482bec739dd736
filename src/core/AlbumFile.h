#pragma once

#include <QString>

namespace tv {

// Reads the album AppDir + name into the playlist and starts its remembered
// song. 0: read, 1: failed (the message was shown).
int OpenAlbomM(QString name);

// Writes the playlist as the album AppDir + name (asks before replacing
// another album, reports failures), then refreshes the album list. Returns
// whether the file was written.
bool SaveFileM(QString name);

// The open album from now on, as it was read, written or begun by New (an
// empty name: never saved yet): nothing changed since, the caption names it,
// and a saved one is the album the next start reopens.
void setOpenAlbum(const QString &name);

} // namespace tv
