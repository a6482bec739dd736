#include "ui/Bitmaps.h"

#include "ui/Palette16.h"

#include <QPainter>
#include <QPolygon>

namespace tv::ui {

namespace {

// The roles of the 3D look.
const QColor &kFace = palette16::Silver;
const QColor &kShadow = palette16::Grey;
const QColor &kLight = palette16::White;
const QColor &kDark = palette16::Black;
const QColor &kNavy = palette16::Navy;
const QColor &kGold = palette16::Yellow;
const QColor &kOlive = palette16::Olive;

// Drawn line by line so the 16-colour bitmaps stay free of blended pixels.
void drawSymbol(QPainter &p, Symbol symbol, QPoint at, const QColor &color) {
    p.setPen(color);
    if (symbol == Symbol::Play) {
        for (int i = 0; i < 6; ++i)
            p.drawLine(at.x() + 9 + i, at.y() + 5 + i, at.x() + 9 + i, at.y() + 15 - i);
        return;
    }
    for (int x : {8, 9, 10, 14, 15, 16})
        p.drawLine(at.x() + x, at.y() + 5, at.x() + x, at.y() + 15);
}

constexpr int kRight = kButtonWidth - 1, kBottom = kButtonHeight - 1;

void drawOuterEdges(QPainter &p, const QColor &topLeft, const QColor &bottomRight) {
    p.setPen(topLeft);
    p.drawLine(0, 0, kRight - 1, 0);
    p.drawLine(0, 0, 0, kBottom - 1);
    p.setPen(bottomRight);
    p.drawLine(0, kBottom, kRight, kBottom);
    p.drawLine(kRight, 0, kRight, kBottom);
}

void drawRaisedEdges(QPainter &p) {
    drawOuterEdges(p, kLight, kDark);
    p.setPen(kShadow);
    p.drawLine(1, kBottom - 1, kRight - 1, kBottom - 1);
    p.drawLine(kRight - 1, 1, kRight - 1, kBottom - 1);
}

void drawPressedEdges(QPainter &p) {
    drawOuterEdges(p, kShadow, kLight);
    p.setPen(kDark);
    p.drawLine(1, 1, kRight - 2, 1);
    p.drawLine(1, 1, 1, kBottom - 2);
}

// The pressed face is a checkerboard of white and face grey.
void ditherFace(QImage &image) {
    for (int y = 2; y < kButtonHeight - 1; ++y)
        for (int x = 2; x < kButtonWidth - 1; ++x)
            if ((x + y) % 2 == 0)
                image.setPixelColor(x, y, kLight);
}

} // namespace

QImage buttonBitmap(Symbol symbol, Look look) {
    QImage image(kButtonWidth, kButtonHeight, QImage::Format_RGB32);
    image.fill(kFace);
    if (look == Look::Pressed)
        ditherFace(image);
    QPainter p(&image);
    switch (look) {
    case Look::Greyed:
        drawRaisedEdges(p);
        drawSymbol(p, symbol, {1, 1}, kLight);
        drawSymbol(p, symbol, {0, 0}, kShadow);
        break;
    case Look::Raised:
        drawRaisedEdges(p);
        drawSymbol(p, symbol, {0, 0}, kDark);
        break;
    case Look::Pressed:
        drawPressedEdges(p);
        drawSymbol(p, symbol, {1, 1}, kDark);
        break;
    }
    return image;
}

namespace {

// On the 32-pixel grid a 1-pixel line covers the pixels right of and below
// its coordinates; drawn smooth, a line is centred on them. So, smoothed, the
// lines move by half a pixel (`half`) and the plain fills stay.
void drawProgramIcon(QPainter &p, QPointF half) {
    p.translate(half);
    // A record: navy disc, grey grooves, white label.
    p.setPen(kDark);
    p.setBrush(kNavy);
    p.drawEllipse(1, 1, 29, 29);
    p.setBrush(Qt::NoBrush);
    p.setPen(kShadow);
    p.drawEllipse(5, 5, 21, 21);
    p.drawEllipse(8, 8, 15, 15);
    p.setPen(kDark);
    p.setBrush(kLight);
    p.drawEllipse(12, 12, 7, 7);
    // An eighth note in front of it.
    p.translate(-half);
    p.setPen(Qt::NoPen);
    p.setBrush(kGold);
    p.drawEllipse(14, 21, 7, 5);
    p.drawRect(19, 6, 2, 18);
    p.drawPolygon(QPolygon({QPoint(21, 6), QPoint(27, 10), QPoint(27, 13), QPoint(21, 9)}));
    p.translate(half);
    p.setPen(kOlive);
    p.setBrush(Qt::NoBrush);
    p.drawLine(21, 7, 21, 23);
}

} // namespace

QImage programIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    QPointF half;
    if (size != kIconSize) {
        // The same drawing on a finer (or coarser) grid, smoothed.
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / double(kIconSize), size / double(kIconSize));
        half = QPointF(0.5, 0.5);
    }
    drawProgramIcon(p, half);
    return image;
}

QImage ornamentStrip() {
    QImage image(780, 16, QImage::Format_RGB32);
    image.fill(kNavy);
    QPainter p(&image);
    p.setPen(kGold);
    p.drawLine(0, 1, 779, 1);
    p.drawLine(0, 14, 779, 14);
    p.setBrush(kGold);
    for (int x = 6; x < 780; x += 20)
        p.drawPolygon(
            QPolygon({QPoint(x, 7), QPoint(x + 4, 3), QPoint(x + 8, 7), QPoint(x + 4, 11)}));
    p.setPen(kOlive);
    for (int x = 16; x < 780; x += 20)
        p.drawPoint(x, 7);
    return image;
}

QImage arrowPicture(Arrow arrow) {
    QImage image(kArrowSize, kArrowSize, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setPen(kDark);
    // The head: a row per pixel, one wider on each side than the row above.
    for (int k = 0; k < 10; ++k)
        p.drawLine(13 - k, 3 + k, 13 + k, 3 + k);
    p.fillRect(10, 13, 7, 11, kDark);
    p.end();
    return arrow == Arrow::Up ? image : image.mirrored(false, true);
}

} // namespace tv::ui

namespace tv::ui {

namespace {

const QColor &kGreen = palette16::Lime;
// The note's paper and the folder's shade are the icons' own, outside the 16.
const QColor kYellow(255, 255, 128);
const QColor kFolderShade(192, 160, 0);

QImage blankIcon(int width) {
    QImage image(width, 16, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

void drawDrive(QPainter &p) {
    p.setPen(kDark);
    p.setBrush(kFace);
    p.drawRect(1, 5, 15, 7);
    p.setPen(kLight);
    p.drawLine(2, 6, 15, 6);
    p.drawLine(2, 6, 2, 11);
    p.setPen(kShadow);
    p.drawLine(3, 11, 15, 11);
    p.drawLine(4, 9, 10, 9);
    p.setPen(kGreen);
    p.drawLine(13, 9, 14, 9);
}

void drawClosedFolder(QPainter &p) {
    p.setPen(kDark);
    p.setBrush(kGold);
    p.drawPolygon(QPolygon(
        {QPoint(1, 3), QPoint(6, 3), QPoint(7, 4), QPoint(15, 4), QPoint(15, 14), QPoint(1, 14)}));
    p.setPen(kLight);
    p.drawLine(2, 5, 14, 5);
    p.setPen(kFolderShade);
    p.drawLine(2, 13, 14, 13);
}

void drawOpenFolder(QPainter &p) {
    p.setPen(kDark);
    p.setBrush(kFolderShade);
    p.drawPolygon(QPolygon({QPoint(1, 3), QPoint(6, 3), QPoint(7, 4), QPoint(14, 4), QPoint(14, 7),
                            QPoint(4, 7), QPoint(1, 14)}));
    p.setBrush(kYellow);
    p.drawPolygon(QPolygon({QPoint(4, 7), QPoint(17, 7), QPoint(14, 14), QPoint(1, 14)}));
}

void drawMusicFile(QPainter &p) {
    p.setPen(kDark);
    p.setBrush(kLight);
    p.drawPolygon(
        QPolygon({QPoint(2, 0), QPoint(10, 0), QPoint(13, 3), QPoint(13, 15), QPoint(2, 15)}));
    p.drawLine(10, 0, 10, 3);
    p.drawLine(10, 3, 13, 3);
    // An eighth note on the page.
    p.setPen(Qt::NoPen);
    p.setBrush(kNavy);
    p.drawRect(5, 10, 3, 3);
    p.drawRect(4, 11, 1, 1);
    p.drawRect(7, 5, 1, 6);
    p.drawRect(8, 5, 2, 1);
    p.drawRect(10, 6, 1, 2);
}

} // namespace

QImage rowIcon(RowIcon icon) {
    QImage image = blankIcon(icon == RowIcon::MusicFile ? 16 : 18);
    QPainter p(&image);
    switch (icon) {
    case RowIcon::Drive:
        drawDrive(p);
        break;
    case RowIcon::OpenFolder:
        drawOpenFolder(p);
        break;
    case RowIcon::Folder:
        drawClosedFolder(p);
        break;
    case RowIcon::MusicFile:
        drawMusicFile(p);
        break;
    }
    return image;
}

} // namespace tv::ui
