#pragma once

#include "ui/PictureBox.h"

#include <QWidget>

namespace tv::ui {

// picNazvanie: the title of the current song, drawn once at 2,0 on white.
class NazvanieBox : public QWidget {
    Q_OBJECT
public:
    explicit NazvanieBox(QWidget *parent = nullptr);
    QString text() const { return m_text; }
    void setText(const QString &text);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_text;
};

// picPanel: the title display and the Play and Pause picture buttons, lying
// over the lower edge of the player's control bar.
class TitlePanel : public QWidget {
    Q_OBJECT
public:
    explicit TitlePanel(QWidget *parent = nullptr);

    NazvanieBox *picNazvanie;
    PictureButtonStack *pPlay;
    PictureButtonStack *pPause;
};

} // namespace tv::ui
