#pragma once

#include <QString>

namespace tv {

// The File menu's album commands.
void FileNew_Click();
// New without the add-files browser; false when the save-changes question
// was cancelled (nothing changed then).
bool startNewAlbum();
void FileOpen_Click();
void FileSave_Click();
void FileSaveAs_Click();
void OpenDialogM();
// Returns whether the album was written (not when the dialog was cancelled).
bool SaveAsM();

// Asks whether to save a changed album; the button pressed (vbYes, vbNo,
// vbCancel) or 0 when nothing was asked. Callers stop on vbCancel.
int ZaprosSaveAlbomM();

// Rebuilds lstAlbomy and the registry from the album files in AppDir.
void LoadAlbomInfoM();

// The open/save dialog: the chosen full path, or empty when cancelled.
QString apiOpenSaveM(int isSave, const QString &initialName);

// The album list on the main window.
void lstAlbomy_DblClick();
void lstAlbomy_KeyPress();
void lstAlbomy_KeyUp(int keyCode);

// Reads the album AppDir + name into the playlist and starts its remembered
// song. 0: read, 1: failed (the message was shown).
int OpenAlbomM(QString name);

// Writes the playlist as the album AppDir + name (asks before replacing
// another album, reports failures), then refreshes the album list. Returns
// whether the file was written.
bool SaveFileM(QString name);

// The open album from now on, as it was read, written or begun by New (an
// empty name: never saved yet): nothing changed since, the caption names it,
// and a saved one is the album the next start reopens.
void setOpenAlbum(const QString &name);

} // namespace tv
