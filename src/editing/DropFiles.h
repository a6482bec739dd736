#pragma once

#include <QString>
#include <QStringList>

namespace tv {

// Files from outside: dropped on the window, given on the command line or by
// another copy; folders walked and playlists read, in slices.

class Slices;

// What dropped paths (lettered: files, folders, .m3u and .m3u8 playlists)
// stand for.
struct Dropped {
    // The MP3 files, in the order they are added: a folder gives its own
    // files, then each subfolder's, as the add-files browser shows them; a
    // playlist gives the existing MP3 files it lists. Other files are
    // ignored. Each real folder is walked once and each file taken once,
    // whatever links lead to it again.
    QStringList files;
    // The dropped playlists that name no MP3 file that exists.
    QStringList silent;
};

// Why a path given to open stands for no song: nothing is there, or a file of
// another kind than an MP3 file, a folder or a playlist.
enum class Refusal { None, NotFound, CantOpen };
Refusal refusalOf(const QString &path);

// The walk goes a slice at a time; it stops early when it has to give way.
Dropped droppedMp3Files(const QStringList &paths, Slices &slices);

// Adds the dropped files with Add all's rules: songs the album holds already
// are skipped, titles follow namePesni, and the rest are appended in one go.
// A long drop lets the window answer meanwhile. Each dropped playlist that names no song is
// reported.
void DropFiles(QStringList paths, int namePesni);
// The files dropped on the playlist: DropFiles as a command of its own.
void DropFilesM(const QStringList &paths, int namePesni);

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
