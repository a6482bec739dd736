#pragma once

class QWidget;

namespace tv::ui {

// Moves a top-level window (not yet shown) to the middle of its screen.
void centreOnScreen(QWidget *window);

} // namespace tv::ui
