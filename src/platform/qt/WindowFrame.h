#pragma once

class QWidget;

namespace tv {

// What the window manager must be told about the main window that the
// toolkit leaves out, kept for as long as the window lives:
// - its border is fixed with a minimise button: it moves, minimises and
//   closes, and is neither resized nor maximised;
// - its close request still reaches it while a modal box or window blocks
//   it, since closing the main window is the way out whatever is open (the
//   close request decides what happens).
// Where the system does both itself, this does nothing.
void keepMainFrame(QWidget *window);

} // namespace tv
