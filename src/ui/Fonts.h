#pragma once

#include <QFont>

namespace tv::ui {

// Pixel sizes of the design's point sizes at 96 dots per inch, so that the
// layout does not grow with a display's own DPI setting.
constexpr int kPx12pt = 16;
constexpr int kPx975pt = 13;
constexpr int kPx825pt = 11;

// The bold sans-serif of every captioned control: "MS Sans Serif" where it is
// installed, else a sans-serif that holds Cyrillic.
QFont formFont(int pixelSize);

// A web page's text where the page names no font: a serif of 12 points.
QFont pageFont();

} // namespace tv::ui
