#pragma once

#include <functional>

namespace tv {

// The way out of a run: the close request and its save question, a close
// with no one to ask (a signal, the session's end), and the settings written
// last.

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

// Start-up and shutdown go on past a step that fails: the program must come
// up, and must end, whatever one step ran into.
template <class F> void tryStep(F &&step) noexcept {
    try {
        step();
    } catch (...) {
    }
}

} // namespace tv
