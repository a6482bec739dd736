#pragma once

class QWidget;

namespace tv::ui {

// Tells the window manager that a top-level window (created, not yet mapped)
// has a fixed border with a minimise button: it moves, minimises and closes,
// and is neither resized nor maximised. Call it each time before the window
// shows; the toolkit writes its own hints again when the window is made.
void announceFixedFrame(QWidget *window);

} // namespace tv::ui
