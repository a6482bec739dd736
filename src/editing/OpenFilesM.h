#pragma once

#include <QStringList>

namespace tv {

// Files the desktop hands the program (its command line, a second copy, the
// remote control's OpenUri): native paths of MP3 files, folders and playlists
// join the open album by the drop's rules, and the first song added starts.
// When all of them were in the album already, the first MP3 file named that
// it holds starts instead: opening a song always plays it. A path that is
// none of these, or names nothing, is said in a message.
void OpenFilesM(const QStringList &nativePaths);
// The same for lettered paths (the remote's addresses); notFound are said
// as not found beside those that are not there.
void OpenPathsM(const QStringList &paths, const QStringList &notFound = {});
// Whether OpenPathsM takes the lettered path.
bool opensPath(const QString &path);

} // namespace tv
