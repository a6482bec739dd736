#pragma once

#include "ui/Bitmaps.h"

#include <QPixmap>
#include <QWidget>

namespace tv::ui {

// A borderless picture: the bitmap at its top left corner. Only an enabled
// picture reports clicks; a disabled one lets none through.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(const QImage &image, QWidget *parent = nullptr);
    const QPixmap &picture() const { return m_picture; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QPixmap m_picture;
    bool m_pressed = false;
};

// A picture button: three pictures in one place. Member 0 (greyed) always
// shows and takes no clicks; members 1 (raised, clickable) and 2 (pressed,
// no clicks) lie in front of it and are shown as the player's state says.
class PictureButtonStack : public QWidget {
    Q_OBJECT
public:
    PictureButtonStack(Symbol symbol, QWidget *parent = nullptr);

    PictureBox *member(int index) const { return m_members[index]; }
    void setVisibleMembers(bool visible1, bool visible2);

signals:
    // The member index of the picture clicked.
    void clicked(int index);

private:
    PictureBox *m_members[3];
};

} // namespace tv::ui
