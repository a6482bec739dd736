#pragma once

#include <QString>

namespace tv {

// The search across all albums: every album of the registry, in registry
// order, as stored on disk. Found and FoundUB are replaced by the songs whose
// path holds the text, letter case ignored; an album file that cannot be read
// is skipped without a word.
void FoundSearchM(const QString &text);

// Found(k) appended to the open album and selected in the playlist, unless
// the album already holds its file.
void AddFoundSong(int k);
// Found(0) to Found(count - 1), each path once, none the album held before
// (letter case ignored); the last one added is selected.
void AddAllFound(int count);

} // namespace tv
