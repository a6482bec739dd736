#include "ui/TitlePanel.h"

#include "ui/Fonts.h"
#include "ui/Twips.h"

#include <QPainter>

namespace tv::ui {

NazvanieBox::NazvanieBox(QWidget *parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFont(formFont(kPx975pt));
    // It only shows; clicks go nowhere.
    setEnabled(false);
}

void NazvanieBox::setText(const QString &text) {
    m_text = text;
    update();
}

void NazvanieBox::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setPen(Qt::black);
    p.setFont(font());
    p.drawText(2, fontMetrics().ascent(), m_text);
}

TitlePanel::TitlePanel(QWidget *parent) : QWidget(parent) {
    setAutoFillBackground(true);
    picNazvanie = new NazvanieBox(this);
    picNazvanie->setGeometry(twipsRect(0, 75, 6015, 315));
    pPlay = new PictureButtonStack(Symbol::Play, this);
    pPlay->move(px(6120), px(75));
    pPause = new PictureButtonStack(Symbol::Pause, this);
    pPause->move(px(6540), px(75));
}

} // namespace tv::ui
