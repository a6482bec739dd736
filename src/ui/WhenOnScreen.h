#pragma once

#include <functional>

class QWidget;

namespace tv::ui {

// Runs the step once the window is on the screen and drawn (at once when it
// is hidden, or already there): work that would only delay the first
// window waits for it.
void whenOnScreen(QWidget *window, std::function<void()> step);

// Lets window events run until the window just shown is on the screen, at
// most for the given time. A window shown on the system the program comes
// from is drawn by the very next pending-events step; here the window
// manager maps it a little later, and the steps after it (the album read,
// the media engine) would hold up its drawing.
void waitOnScreen(QWidget *window, int maxMs);

} // namespace tv::ui
