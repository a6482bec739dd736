#include "ui/Bitmaps.h"
#include "ui/Palette16.h"

#include <QFont>
#include <QPainter>
#include <QPolygon>

namespace tv::ui {

namespace {

constexpr int kWidth = 71, kHeight = 126;

using namespace palette16;

// A record seen from above: grooves round a red label.
void drawRecord(QPainter &p, QPoint centre, int radius) {
    p.setPen(Grey);
    p.setBrush(Black);
    p.drawEllipse(centre, radius, radius);
    p.setBrush(Qt::NoBrush);
    for (int r = radius - 4; r > 10; r -= 4)
        p.drawEllipse(centre, r, r);
    p.setPen(Black);
    p.setBrush(Red);
    p.drawEllipse(centre, 8, 8);
    p.setBrush(White);
    p.drawEllipse(centre, 1, 1);
}

// An eighth note: head, stem and flag.
void drawNote(QPainter &p, QPoint head) {
    p.setPen(Qt::NoPen);
    p.setBrush(Yellow);
    p.drawEllipse(QRect(head.x(), head.y(), 9, 6));
    p.drawRect(head.x() + 7, head.y() - 20, 2, 23);
    p.drawPolygon(
        QPolygon({QPoint(head.x() + 9, head.y() - 20), QPoint(head.x() + 16, head.y() - 14),
                  QPoint(head.x() + 16, head.y() - 10), QPoint(head.x() + 9, head.y() - 15)}));
}

// The bars of a level meter, green at the bottom, yellow, then red.
void drawMeter(QPainter &p, int bottom) {
    const int levels[] = {5, 8, 11, 7, 9, 4, 6};
    for (int bar = 0; bar < 7; ++bar) {
        const int x = 7 + bar * 8;
        for (int step = 0; step < levels[bar]; ++step) {
            const QColor color = step < 6 ? Lime : step < 9 ? Yellow : Red;
            p.fillRect(x, bottom - step * 4 - 3, 6, 3, color);
        }
    }
}

} // namespace

QImage programPicture() {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Navy);
    QPainter p(&image);
    p.setPen(Silver);
    p.drawRect(0, 0, kWidth - 1, kHeight - 1);
    drawRecord(p, QPoint(35, 31), 27);
    drawNote(p, QPoint(46, 50));
    drawMeter(p, 100);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(14);
    font.setBold(true);
    font.setStyleStrategy(QFont::NoAntialias);
    p.setFont(font);
    p.setPen(White);
    p.drawText(QRect(0, 104, kWidth, 18), Qt::AlignCenter, QStringLiteral("MP3"));
    return image;
}

} // namespace tv::ui
