#include "platform/qt/QtMediaPlayer.h"

#include <QAudioOutput>
#include <QTimer>
#include <QUrl>
#include <utility>

namespace tv {

QtMediaPlayer::QtMediaPlayer(FileSystem &fs, QObject *parent) : MediaPlayer(parent), m_fs(fs) {}

void QtMediaPlayer::setUp() {
    if (m_engine)
        return;
    m_output = new QAudioOutput(this);
    m_output->setVolume(float(m_volume));
    connect(m_output, &QAudioOutput::volumeChanged, this, [this](float volume) {
        m_volume = volume;
        emit volumeChanged(volume);
    });
    m_engine = makeEngine();
    emit engineChanged(m_engine);
}

QMediaPlayer *QtMediaPlayer::makeEngine() {
    auto *engine = new QMediaPlayer(this);
    engine->setAudioOutput(m_output);
    connect(engine, &QMediaPlayer::playbackStateChanged, this, &QtMediaPlayer::report);
    connect(engine, &QMediaPlayer::mediaStatusChanged, this, &QtMediaPlayer::onStatus);
    connect(engine, &QMediaPlayer::errorOccurred, this, &QtMediaPlayer::fail);
    connect(engine, &QMediaPlayer::seekableChanged, this, &QtMediaPlayer::onSeekable);
    connect(engine, &QMediaPlayer::durationChanged, this,
            [this](qint64 ms) { emit durationChanged(ms / 1000.0); });
    return engine;
}

void QtMediaPlayer::setURL(const QString &path) {
    setUp();
    m_url = path;
    m_failed = false;
    load();
}

// Hands m_url to the engine and starts it. Until the file is loaded the state
// is "transitioning": the engine passes through "stopped" on the way, and that
// must not look like the end of a song.
void QtMediaPlayer::load() {
    if (m_url.isEmpty()) {
        m_loading = false;
        m_engine->setSource(QUrl());
        report();
        return;
    }
    const QString native = m_fs.toNative(m_url);
    m_loading = true;
    m_pendingSeek.reset();
    if (native.isEmpty()) {
        // No such drive: ends like a missing file, after the caller got on;
        // the song before it stops now.
        m_switching = true;
        m_engine->setSource(QUrl());
        m_switching = false;
        report();
        QTimer::singleShot(0, this, [this, url = m_url] {
            if (m_loading && m_url == url)
                fail();
        });
        return;
    }
    // Until both calls are done the engine reports on the way there: on the
    // file it drops ("loaded", "stopped") and, for a file it loads at once,
    // "buffered" while still stopped. Only where it ends up counts.
    m_switching = true;
    m_engine->setSource(QUrl::fromLocalFile(native));
    m_engine->play();
    m_switching = false;
    onStatus(m_engine->mediaStatus());
}

// After an error the GStreamer engine stays "playing" and its next stop() or
// setSource() blocks for about a second. A fresh engine costs nothing, so the
// broken one is dropped (unhooked at once, so its further error reports are
// not heard); the file counts as played to its end.
void QtMediaPlayer::fail() {
    QMediaPlayer *old = m_engine;
    disconnect(old, nullptr, this, nullptr);
    old->setAudioOutput(nullptr);
    QTimer::singleShot(0, this, [old] { delete old; });
    m_engine = makeEngine();
    m_loading = false;
    m_pendingSeek.reset();
    m_failed = true;
    emit engineChanged(m_engine);
    emit durationChanged(0.0);
    report();
}

void QtMediaPlayer::onStatus(QMediaPlayer::MediaStatus status) {
    if (m_switching)
        return;
    switch (status) {
    case QMediaPlayer::InvalidMedia:
        fail();
        return;
    case QMediaPlayer::LoadedMedia:
    case QMediaPlayer::BufferingMedia:
    case QMediaPlayer::BufferedMedia:
    case QMediaPlayer::EndOfMedia:
        m_loading = false;
        break;
    default:
        break;
    }
    report();
}

void QtMediaPlayer::play() {
    if (m_failed) {
        // The user asks again: the file may be back (a drive plugged in).
        m_failed = false;
        load();
        return;
    }
    if (m_url.isEmpty())
        return;
    m_engine->play();
    report();
}

void QtMediaPlayer::pause() {
    // A stopped engine would start decoding just to stand paused.
    if (m_reported != Playing && m_reported != Transitioning)
        return;
    m_engine->pause();
    report();
}

void QtMediaPlayer::setCurrentPosition(double seconds) {
    if (m_failed || m_url.isEmpty())
        return;
    const qint64 ms = qMax<qint64>(0, qRound64(seconds * 1000));
    // The engine drops a seek into a file it has not yet opened far enough.
    if (m_engine->isSeekable())
        m_engine->setPosition(ms);
    else
        m_pendingSeek = ms;
    emit seeked(ms / 1000.0);
}

void QtMediaPlayer::onSeekable(bool seekable) {
    if (seekable && m_pendingSeek)
        m_engine->setPosition(*std::exchange(m_pendingSeek, std::nullopt));
}

double QtMediaPlayer::currentPosition() const {
    if (m_failed || !m_engine)
        return 0.0;
    return (m_pendingSeek ? *m_pendingSeek : m_engine->position()) / 1000.0;
}

double QtMediaPlayer::volume() const {
    return m_volume;
}

// Kept until the sound output exists, and handed to it then.
void QtMediaPlayer::setVolume(double volume) {
    volume = qBound(0.0, volume, 1.0);
    if (m_output) {
        m_output->setVolume(float(volume));
        return;
    }
    if (qFuzzyCompare(volume, m_volume))
        return;
    m_volume = volume;
    emit volumeChanged(volume);
}

double QtMediaPlayer::duration() const {
    return m_failed || !m_engine ? 0.0 : m_engine->duration() / 1000.0;
}

void QtMediaPlayer::stop() {
    m_loading = false;
    m_pendingSeek.reset();
    if (!m_failed && m_engine)
        m_engine->stop();
    report();
}

int QtMediaPlayer::derivedState() const {
    if (m_failed)
        return Stopped;
    if (m_url.isEmpty())
        return Undefined;
    switch (m_engine->playbackState()) {
    case QMediaPlayer::PausedState:
        return Paused;
    case QMediaPlayer::PlayingState:
        return m_loading ? Transitioning : Playing;
    case QMediaPlayer::StoppedState:
        break;
    }
    return m_loading ? Transitioning : Stopped;
}

void QtMediaPlayer::report() {
    if (m_switching)
        return;
    const int state = derivedState();
    if (state == m_reported)
        return;
    m_reported = state;
    emit PlayStateChange(state);
}

} // namespace tv
