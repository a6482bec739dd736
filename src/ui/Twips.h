#pragma once

#include <QRect>

namespace tv::ui {

// The window's design is in twips; at 96 dots per inch 15 twips are one pixel.
constexpr int kTwipsPerPixel = 15;

constexpr int px(int twips) {
    return twips / kTwipsPerPixel;
}

inline QRect twipsRect(int left, int top, int width, int height) {
    return {px(left), px(top), px(width), px(height)};
}

} // namespace tv::ui
