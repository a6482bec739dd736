#pragma once

#include <QImage>
#include <QWidget>
#include <array>

namespace tv {
class AddFileModel;
}

namespace tv::ui {

// The add-files browser's row list: the rows the scroll bar brings into view,
// each with its icon, and the selected one inverted from x = 21 to the right
// edge. It takes the keyboard and hands keys and clicks to the model, in row
// picture coordinates (the whole list as one tall picture).
class ListPicture : public QWidget {
    Q_OBJECT
public:
    ListPicture(AddFileModel *model, QWidget *parent = nullptr);

    // The view as it is painted: rows from the scroll position down.
    QImage view() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    double pictureY(const QPointF &pos) const;
    void drawRow(QPainter &p, int row, int top) const;

    AddFileModel *m_model;
    // IconPicture(0) to (3), by row kind.
    std::array<QImage, 4> m_icons;
    // The release that ends a double click is no click of its own.
    bool m_afterDblClick = false;
};

} // namespace tv::ui
