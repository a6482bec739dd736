#pragma once

#include <QString>
#include <QStringList>

namespace tv {

// The native folders a start works with. A portable install has all of them
// in the executable's folder; a system install keeps the user's files in the
// user's data folder and opens the first add-files browser on the music.
struct StartFolders {
    QString program; // the program's own files: the help pages
    QString user;    // the albums, the settings file, the "Language" folder
    QString music;   // where a first start's add-files browser opens; empty: user
    // False when the user's folder could not be made or written: nothing
    // the user does could be kept, so the start says so and ends.
    bool userWritable = true;
};

// The start-up sequence. files (native paths: MP3 files, folders, playlists)
// are added to the open album and the first one added plays; then no
// add-files browser opens on a first start. Returns false when the run must
// end at once: another copy already runs (it has been handed the files, and
// nothing here was read or written) or the user's folder is unusable.
bool Main(const StartFolders &folders, const QStringList &files = {});
// A portable start from the executable's native folder.
inline bool Main(const QString &exeDir) {
    return Main(StartFolders{exeDir, exeDir, QString()});
}

} // namespace tv
