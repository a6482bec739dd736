#pragma once

#include <QString>

namespace tv {

// Reads the album AppDir + name into the playlist and starts its remembered
// song. 0: read, 1: failed (the message was shown).
int OpenAlbomM(const QString &name);

// Writes the playlist as the album AppDir + name (asks before replacing
// another album, reports failures), then refreshes the album list.
void SaveFileM(const QString &name);

// How a save ended: written; declined (the user kept the existing file or
// cancelled the dialog); failed (the message was shown, nothing changed).
enum class SaveResult { Written, Declined, Failed };

// SaveFileM, telling how it ended.
SaveResult saveAlbumFile(const QString &name);

} // namespace tv
