#pragma once

#include <QString>

namespace tv {

// The text of the album list's placeholder for an album never saved.
inline const QString kNewAlbum = QStringLiteral("New");

// The file-name part of a path: what follows its last separator. Dialogs
// may hand back either separator whatever PathSep is, so both count.
QString bareName(const QString &path);

// A name typed without any extension gets ".alb"; one with an extension of
// its own keeps it.
QString withAlbExtension(const QString &path);

// Selects the lstAlbomy entry that names the album (exact text first, else
// without regard to letter case), or none when it is not listed. Returns the
// index selected (-1: none).
int selectAlbumEntry(const QString &name);

} // namespace tv
