#include "ui/PictureBox.h"

#include <QMouseEvent>
#include <QPainter>

namespace tv::ui {

PictureBox::PictureBox(const QImage &image, QWidget *parent)
    : QWidget(parent), m_picture(QPixmap::fromImage(image)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    p.drawPixmap(0, 0, m_picture);
}

void PictureBox::mousePressEvent(QMouseEvent *event) {
    m_pressed = event->button() == Qt::LeftButton;
}

// A click is a press and a release of the left button over the picture.
void PictureBox::mouseReleaseEvent(QMouseEvent *event) {
    const bool wasPressed = m_pressed;
    m_pressed = false;
    if (wasPressed && event->button() == Qt::LeftButton &&
        rect().contains(event->position().toPoint()))
        emit clicked();
}

PictureButtonStack::PictureButtonStack(Symbol symbol, QWidget *parent) : QWidget(parent) {
    setFixedSize(kButtonWidth, kButtonHeight);
    for (int i = 0; i < 3; ++i) {
        auto *box = new PictureBox(buttonBitmap(symbol, Look(i)), this);
        box->setGeometry(0, 0, kButtonWidth, kButtonHeight);
        box->setEnabled(i == 1);
        connect(box, &PictureBox::clicked, this, [this, i] { emit clicked(i); });
        m_members[i] = box;
    }
    setVisibleMembers(false, false);
}

void PictureButtonStack::setVisibleMembers(bool visible1, bool visible2) {
    m_members[1]->setVisible(visible1);
    m_members[2]->setVisible(visible2);
}

} // namespace tv::ui
