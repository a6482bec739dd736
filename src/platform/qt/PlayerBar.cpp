#include "platform/qt/PlayerBar.h"

#include "platform/qt/QtMediaPlayer.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPolygon>
#include <QSignalBlocker>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

namespace tv {

namespace {

// The 16 x 16 symbols: a stop square and a speaker. Drawn here rather than
// looked up in the desktop's icon theme, which would hold up the first window.
QImage stopSymbol() {
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.fillRect(3, 3, 10, 10, QColor(32, 32, 32));
    return image;
}

QImage speakerSymbol() {
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(32, 32, 32));
    p.drawPolygon(QPolygon(
        {QPoint(1, 5), QPoint(4, 5), QPoint(8, 1), QPoint(8, 15), QPoint(4, 11), QPoint(1, 11)}));
    p.setPen(QPen(QColor(32, 32, 32), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(6, 4.5, 5, 7), -60 * 16, 120 * 16);
    p.drawArc(QRectF(6, 2, 8, 12), -60 * 16, 120 * 16);
    return image;
}

constexpr int kRowHeight = 30;
constexpr int kButtonSize = 26;
constexpr int kVolumeWidth = 72;

QLabel *timeLabel(QWidget *parent) {
    auto *label = new QLabel(PlayerBar::timeText(0), parent);
    label->setAlignment(Qt::AlignCenter);
    // Wide enough for "88:88", so the slider does not jump as the time runs.
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("88:88")) + 4);
    return label;
}

} // namespace

PlayerBar::PlayerBar(QtMediaPlayer &player, QWidget *parent) : QWidget(parent), m_player(player) {
    buildControls();
    showVolume(m_player.volume());
    connect(m_volume, &QSlider::valueChanged, this,
            [this](int value) { m_player.setVolume(value / 100.0); });
    connect(&m_player, &MediaPlayer::volumeChanged, this, &PlayerBar::showVolume);
    connect(m_stop, &QToolButton::clicked, this, [this] { m_player.stop(); });
    connect(m_seek, &QSlider::sliderMoved, this,
            [this](int ms) { m_elapsed->setText(timeText(ms)); });
    connect(m_seek, &QSlider::sliderReleased, this, &PlayerBar::seekToSlider);
    connect(m_seek, &QSlider::valueChanged, this, [this] {
        // A click on the groove or a key moves the value without a drag.
        if (!m_following && !m_seek->isSliderDown())
            seekToSlider();
    });
    connect(&m_player, &QtMediaPlayer::durationMsChanged, this, &PlayerBar::showDuration);
    connect(&m_player, &QtMediaPlayer::positionMsChanged, this, &PlayerBar::showPosition);
    // The player makes its engine once the window is up.
    connect(&m_player, &QtMediaPlayer::engineChanged, this, &PlayerBar::showTimes);
    showTimes();
}

void PlayerBar::buildControls() {
    m_stop = new QToolButton(this);
    m_stop->setIcon(QIcon(QPixmap::fromImage(stopSymbol())));
    m_stop->setFixedSize(kButtonSize, kButtonSize);
    m_stop->setAutoRaise(true);
    m_elapsed = timeLabel(this);
    m_total = timeLabel(this);
    m_seek = new QSlider(Qt::Horizontal, this);
    m_seek->setEnabled(false);
    auto *speaker = new QLabel(this);
    speaker->setPixmap(QPixmap::fromImage(speakerSymbol()));
    m_volume = new QSlider(Qt::Horizontal, this);
    m_volume->setRange(0, 100);
    m_volume->setFixedWidth(kVolumeWidth);

    auto *row = new QHBoxLayout;
    row->setContentsMargins(4, 2, 6, 2);
    row->setSpacing(4);
    row->addWidget(m_stop);
    row->addWidget(m_elapsed);
    row->addWidget(m_seek, 1);
    row->addWidget(m_total);
    row->addSpacing(6);
    row->addWidget(speaker);
    row->addWidget(m_volume);
    auto *strip = new QWidget(this);
    strip->setFixedHeight(kRowHeight + 4);
    strip->setLayout(row);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(strip);
    column->addStretch(1);
}

void PlayerBar::showTimes() {
    showDuration(m_player.durationMs());
    showPosition(m_player.positionMs());
}

void PlayerBar::showDuration(qint64 ms) {
    m_following = true;
    m_seek->setRange(0, int(qMax<qint64>(0, ms)));
    m_following = false;
    m_seek->setEnabled(ms > 0);
    m_total->setText(timeText(ms));
}

// A volume set from elsewhere (the desktop's media controls) only moves the
// slider: handed back, the slider's whole percent would overwrite it.
void PlayerBar::showVolume(double volume) {
    const QSignalBlocker quiet(m_volume);
    m_volume->setValue(qRound(volume * 100));
}

void PlayerBar::showPosition(qint64 ms) {
    if (m_seek->isSliderDown())
        return;
    m_following = true;
    m_seek->setValue(int(ms));
    m_following = false;
    m_elapsed->setText(timeText(ms));
}

void PlayerBar::seekToSlider() {
    m_elapsed->setText(timeText(m_seek->value()));
    m_player.setCurrentPosition(m_seek->value() / 1000.0);
}

QString PlayerBar::timeText(qint64 ms) {
    const qint64 seconds = qMax<qint64>(0, ms) / 1000;
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

} // namespace tv
