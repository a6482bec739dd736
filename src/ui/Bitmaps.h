#pragma once

#include <QImage>

namespace tv::ui {

// The three looks of a picture button, by member index.
enum class Look { Greyed = 0, Raised = 1, Pressed = 2 };
enum class Symbol { Play, Pause };

constexpr int kButtonWidth = 25;
constexpr int kButtonHeight = 21;

// A 25 x 21 picture-button bitmap.
QImage buttonBitmap(Symbol symbol, Look look);
// The 32 x 32 program icon, drawn in the sixteen colours of the classic palette.
QImage programIcon();
// The 780 x 16 ornament strip along the bottom of the main window.
QImage ornamentStrip();

// The icons of the add-files browser's rows: a drive, an open folder and a
// closed folder (18 x 16 each), a music file (16 x 16).
enum class RowIcon { Drive = 0, OpenFolder = 1, Folder = 2, MusicFile = 3 };
QImage rowIcon(RowIcon icon);

} // namespace tv::ui
