#pragma once

#include <QString>
#include <QStringList>

namespace tv {

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

} // namespace tv
