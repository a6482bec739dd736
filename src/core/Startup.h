#pragma once

#include <QString>
#include <QStringList>

#include <functional>

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

// The main window is about to close, whatever the cause.
void Form_QueryUnload(bool *cancel);
// A close with no one to ask (SIGTERM, SIGHUP): a changed album stays
// unsaved as the user left it; the settings and the position are written.
void CloseUnaskedM();
// The desktop session ends: a close, whose save-changes question is asked
// only when mayAsk (asked only when there is a question) gets the session's
// leave; else as CloseUnaskedM. cancel as in the close request.
void SessionEndM(const std::function<bool()> &mayAsk, bool *cancel);
// Writes the settings, stops the player, removes the tray icon, ends the run.
void SaveINIM();
// File > Exit and the tray menu's Exit: ask the main window to close.
void FileExit_Click();
void pMenuExit_Click();

} // namespace tv
