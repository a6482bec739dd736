#pragma once

namespace tv {

// The main window shown, or hidden to the tray; ShowForm always says which.
void showForma(bool shown);
// Shown for a message that needs its owner on screen, as the album reader
// does: ShowForm keeps what the user chose.
void showFormaForMessage();
// Another copy of the program was started: a hidden window comes back, as
// with a double-click on the tray icon, and comes to the front.
void raiseForma();
// The program closes: ShowForm keeps whether the window is shown at this
// moment (hidden to the tray now means the next run starts hidden too).
void keepShownAtClose();

} // namespace tv
