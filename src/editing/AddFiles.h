#pragma once

#include "editing/LowPath.h"

#include <QString>
#include <QStringList>

namespace tv {

// Adding songs to the open album: one file, a folder, and the titles they
// get.

// The duplicate index of the open album, built once before an add operation;
// with a folder, for the paths of files directly in it alone.
LowPath LoadLowPath();
LowPath LoadLowPath(const QString &folder);
// With the paths to be asked about, for those paths alone.
LowPath LoadLowPath(const QStringList &asked);

// The title a new song gets: with namePesni 0 the one its tag gives, else (or
// when the file could not be opened) its file name up to the last ".".
// Control characters in it become blanks (SongEntry::cleanTitle). folder
// ends with PathSep; name is the bare file name.
QString newSongTitle(const QString &folder, const QString &name, int namePesni);

// Appends the file folder + name unless the album holds it already, and
// selects it.
void AddFile(const QString &folder, const QString &name, int namePesni);
// Appends every file of names (bare names in folder) the album did not hold
// when the operation began, in that order; the selection stays.
void AddPapka(const QString &folder, const QStringList &names, int namePesni);

} // namespace tv
