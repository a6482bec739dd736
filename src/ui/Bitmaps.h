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
constexpr int kIconSize = 32;

// The program icon, drawn in the sixteen colours of the classic palette; at
// sizes other than 32 x 32 the same drawing, scaled and smoothed.
QImage programIcon(int size = kIconSize);
// The 780 x 16 ornament strip along the bottom of the main window.
QImage ornamentStrip();
// The 71 x 126 picture of the about box.
QImage programPicture();

// The 27 x 27 pictures of the title editor's move buttons: a black arrow,
// the rest clear so that the button's own light grey shows through.
enum class Arrow { Up, Down };
constexpr int kArrowSize = 27;
QImage arrowPicture(Arrow arrow);

// The icons of the add-files browser's rows: a drive, an open folder and a
// closed folder (18 x 16 each), a music file (16 x 16).
enum class RowIcon { Drive = 0, OpenFolder = 1, Folder = 2, MusicFile = 3 };
QImage rowIcon(RowIcon icon);

} // namespace tv::ui
