#pragma once

#include <QString>

namespace tv {

// The start-up sequence, for the executable in the native folder exeDir.
// Returns false when another copy already runs (the
// process must end at once, having read and written nothing).
bool Main(const QString &exeDir);

// The main window is about to close, whatever the cause.
void Form_QueryUnload(bool *cancel);
// Writes the settings, stops the player, removes the tray icon, ends the run.
void SaveINIM();
// File > Exit and the tray menu's Exit: ask the main window to close.
void FileExit_Click();
void pMenuExit_Click();

} // namespace tv
