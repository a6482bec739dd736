#include "ui/ListPicture.h"

#include "editing/AddFileModel.h"
#include "ui/Bitmaps.h"
#include "ui/Fonts.h"
#include "ui/ListBinding.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <array>

namespace tv::ui {

namespace {

constexpr int kRow = AddFileModel::kRowHeight;
constexpr int kTextLeft = 24;
constexpr int kTextTop = 4;
constexpr int kIconLeft = 2;
constexpr int kIconTop = 2;
constexpr int kWheelRows = 3;

} // namespace

ListPicture::ListPicture(AddFileModel *model, QWidget *parent)
    : QWidget(parent),
      m_model(model), m_icons{rowIcon(RowIcon::Drive), rowIcon(RowIcon::OpenFolder),
                              rowIcon(RowIcon::Folder), rowIcon(RowIcon::MusicFile)} {
    setObjectName(QStringLiteral("ListPicture"));
    setFont(formFont(kPx825pt));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(model, &AddFileModel::changed, this, qOverload<>(&QWidget::update));
}

double ListPicture::pictureY(const QPointF &pos) const {
    return pos.y() + kRow * m_model->VScroll1().Value;
}

void ListPicture::drawRow(QPainter &p, int row, int top) const {
    p.drawText(kTextLeft, top + kTextTop + QFontMetrics(font()).ascent(), m_model->rowText(row));
    p.drawImage(kIconLeft, top + kIconTop, m_icons.at(size_t(m_model->rowKind(row))));
}

QImage ListPicture::view() const {
    QImage image(size(), QImage::Format_RGB32);
    image.fill(palette().color(QPalette::Base));
    QPainter p(&image);
    p.setFont(font());
    p.setPen(palette().color(QPalette::Text));
    const int first = m_model->VScroll1().Value;
    const int last = std::min(m_model->RowCount() - 1, first + height() / kRow);
    for (int row = first; row <= last; ++row)
        drawRow(p, row, (row - first) * kRow);
    const int selected = m_model->SelRow() - first;
    if (selected >= 0 && selected * kRow < height()) {
        p.setCompositionMode(QPainter::RasterOp_NotDestination);
        p.fillRect(QRect(AddFileModel::kMarkLeft, selected * kRow,
                         AddFileModel::kPictureWidth - AddFileModel::kMarkLeft, kRow),
                   Qt::black);
    }
    return image;
}

void ListPicture::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.drawImage(0, 0, view());
}

void ListPicture::keyPressEvent(QKeyEvent *event) {
    m_model->ListPicture_KeyDown(vbKeyCode(event->key()));
    event->accept();
}

void ListPicture::mousePressEvent(QMouseEvent *event) {
    m_afterDblClick = false;
    // Below the last row lies the viewport, not the row picture.
    const double y = pictureY(event->position());
    if (y < kRow * m_model->RowCount())
        m_model->ListPicture_MouseDown(y);
}

void ListPicture::mouseReleaseEvent(QMouseEvent *event) {
    const bool click = !m_afterDblClick && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint()) &&
                       pictureY(event->position()) < kRow * m_model->RowCount();
    m_afterDblClick = false;
    if (click)
        m_model->ListPicture_Click();
}

void ListPicture::mouseDoubleClickEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton)
        return;
    m_afterDblClick = true;
    if (pictureY(event->position()) < kRow * m_model->RowCount())
        m_model->ListPicture_DblClick();
}

// The wheel moves the view as the scroll bar's arrows would, a few rows a
// notch; the selection stays.
void ListPicture::wheelEvent(QWheelEvent *event) {
    const int notches = event->angleDelta().y() / 120;
    if (notches != 0 && m_model->VScroll1().Visible)
        m_model->VScroll1_Change(m_model->VScroll1().Value - notches * kWheelRows);
    event->accept();
}

} // namespace tv::ui
