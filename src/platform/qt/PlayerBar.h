#pragma once

#include <QWidget>

class QLabel;
class QSlider;
class QToolButton;

namespace tv {

class QtMediaPlayer;

// The player's own control bar: stop button, position slider with elapsed
// and total time, volume slider. It is the program's only time display. The
// controls keep to the upper strip; the title panel covers the rest.
class PlayerBar : public QWidget {
    Q_OBJECT
public:
    explicit PlayerBar(QtMediaPlayer &player, QWidget *parent = nullptr);

    // "m:ss" of a span in milliseconds.
    static QString timeText(qint64 ms);

    QToolButton *stopButton() const { return m_stop; }
    QSlider *seekSlider() const { return m_seek; }
    QSlider *volumeSlider() const { return m_volume; }
    QLabel *elapsedLabel() const { return m_elapsed; }
    QLabel *totalLabel() const { return m_total; }

private:
    void buildControls();
    void showTimes();
    void showDuration(qint64 ms);
    void showPosition(qint64 ms);
    void showVolume(double volume);
    void seekToSlider();

    QtMediaPlayer &m_player;
    QToolButton *m_stop = nullptr;
    QSlider *m_seek = nullptr;
    QSlider *m_volume = nullptr;
    QLabel *m_elapsed = nullptr;
    QLabel *m_total = nullptr;
    bool m_following = false;
};

} // namespace tv
