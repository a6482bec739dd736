#pragma once

#include <functional>

class QWidget;

namespace tv::ui {

// Runs the step once the window is on the screen and drawn (at once when it
// is hidden, or already there): work that would only delay the first
// window waits for it.
void whenOnScreen(QWidget *window, std::function<void()> step);

} // namespace tv::ui
