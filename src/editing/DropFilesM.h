#pragma once

#include <QString>
#include <QStringList>

namespace tv {

// The MP3 files that dropped paths (lettered: files, folders, .m3u and .m3u8
// playlists) stand for, in the order they are added: a folder gives its own
// files, then each subfolder's, as the add-files browser shows them; a
// playlist gives the existing MP3 files it lists. Other files are ignored.
QStringList droppedMp3Files(const QStringList &paths);

// Adds the dropped files with Add all's rules: songs the album holds already
// (or that the drop names twice) are skipped, titles follow namePesni, and the
// rest are appended in one go.
void DropFiles(const QStringList &paths, int namePesni);

} // namespace tv
