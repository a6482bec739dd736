#pragma once

#include <QColor>

// The 16 colours the program's pictures are drawn in, as the system it comes
// from had them: its bitmaps and icons use no other shade.
namespace tv::ui::palette16 {

inline const QColor Black(0, 0, 0);
inline const QColor Navy(0, 0, 128);
inline const QColor Olive(128, 128, 0);
inline const QColor Grey(128, 128, 128);
inline const QColor Silver(192, 192, 192);
inline const QColor Red(255, 0, 0);
inline const QColor Lime(0, 255, 0);
inline const QColor Yellow(255, 255, 0);
inline const QColor White(255, 255, 255);

} // namespace tv::ui::palette16
