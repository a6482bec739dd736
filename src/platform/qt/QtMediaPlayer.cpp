#include "platform/qt/QtMediaPlayer.h"

#include <utility>

namespace tv {

QtMediaPlayer::QtMediaPlayer(FileSystem &fs, MakeMediaBackend makeBackend, QObject *parent)
    : MediaPlayer(parent), m_fs(fs), m_makeBackend(std::move(makeBackend)) {}

QtMediaPlayer::~QtMediaPlayer() = default;

void QtMediaPlayer::setUp() {
    if (m_backend)
        return;
    m_backend = m_makeBackend(events(), m_volume);
    emit engineChanged();
}

MediaBackendEvents QtMediaPlayer::events() {
    MediaBackendEvents events;
    events.stateChanged = [this](int state) { emit PlayStateChange(state); };
    events.positionChanged = [this](qint64 ms) { emit positionMsChanged(ms); };
    events.durationChanged = [this](qint64 ms) {
        emit durationChanged(ms / 1000.0);
        emit durationMsChanged(ms);
    };
    events.volumeChanged = [this](double volume) {
        m_volume = volume;
        emit volumeChanged(volume);
    };
    events.aboutToFinish = [this] { emit aboutToFinish(); };
    events.nextStarted = [this](const QString &url) {
        m_url = url;
        emit nextStarted();
    };
    return events;
}

void QtMediaPlayer::setURL(const QString &path) {
    setUp();
    m_url = path;
    m_backend->setURL(path, path.isEmpty() ? QString() : m_fs.toNative(path));
}

void QtMediaPlayer::setNextURL(const QString &path) {
    if (m_backend)
        m_backend->setNext(path, path.isEmpty() ? QString() : m_fs.toNative(path));
}

// Before the engine exists no file was ever given, so nothing plays.
int QtMediaPlayer::playState() const {
    return m_backend ? m_backend->state() : int(Undefined);
}

void QtMediaPlayer::play() {
    if (m_backend)
        m_backend->play();
}

void QtMediaPlayer::pause() {
    if (m_backend)
        m_backend->pause();
}

void QtMediaPlayer::stop() {
    if (m_backend)
        m_backend->stop();
}

void QtMediaPlayer::setCurrentPosition(double seconds) {
    const qint64 ms = qMax<qint64>(0, qRound64(seconds * 1000));
    if (m_backend && m_backend->seek(ms))
        emit seeked(ms / 1000.0);
}

double QtMediaPlayer::currentPosition() const {
    return positionMs() / 1000.0;
}

double QtMediaPlayer::duration() const {
    return durationMs() / 1000.0;
}

qint64 QtMediaPlayer::positionMs() const {
    return m_backend ? m_backend->position() : 0;
}

qint64 QtMediaPlayer::durationMs() const {
    return m_backend ? m_backend->duration() : 0;
}

double QtMediaPlayer::volume() const {
    return m_volume;
}

void QtMediaPlayer::setVolume(double volume) {
    volume = qBound(0.0, volume, 1.0);
    if (m_backend) {
        m_backend->setVolume(volume);
        return;
    }
    if (qFuzzyCompare(volume, m_volume))
        return;
    m_volume = volume;
    emit volumeChanged(volume);
}

} // namespace tv
