#include "platform/qt/multimedia/MultimediaBackend.h"

#include "platform/MediaPlayer.h"
#include "platform/qt/multimedia/EngineStart.h"

#include <QAudioOutput>
#include <QTimer>
#include <QUrl>
#include <cstdio>
#include <utility>

namespace tv {

namespace {

// A paused file never makes sound; its set-up is over long before this.
constexpr int kSetUpSeconds = 2;

} // namespace

MultimediaBackend::MultimediaBackend(MediaBackendEvents events, double volume)
    : m_events(std::move(events)), m_reported(MediaPlayer::Undefined) {
    // Done already when the program prepared the engine on a thread of its own.
    startEngine();
    m_output = new QAudioOutput(this);
    m_output->setVolume(float(volume));
    connect(m_output, &QAudioOutput::volumeChanged, this,
            [this](float volume) { m_events.volumeChanged(volume); });
    m_engine = makeEngine();
}

MultimediaBackend::~MultimediaBackend() = default;

QMediaPlayer *MultimediaBackend::makeEngine() {
    auto *engine = new QMediaPlayer(this);
    engine->setAudioOutput(m_output);
    connect(engine, &QMediaPlayer::playbackStateChanged, this, &MultimediaBackend::report);
    connect(engine, &QMediaPlayer::mediaStatusChanged, this, &MultimediaBackend::onStatus);
    connect(engine, &QMediaPlayer::errorOccurred, this,
            [this](QMediaPlayer::Error, const QString &why) {
                // The program only moves on; the reason is for whoever looks.
                std::fprintf(stderr, "tonvela: %s: %s\n", qPrintable(m_native), qPrintable(why));
                fail();
            });
    connect(engine, &QMediaPlayer::seekableChanged, this, &MultimediaBackend::onSeekable);
    connect(engine, &QMediaPlayer::durationChanged, this,
            [this](qint64 ms) { m_events.durationChanged(ms); });
    connect(engine, &QMediaPlayer::positionChanged, this, [this](qint64 ms) {
        // Sound flows: the engine's threads have joined the file's decoder to
        // the output, the last step of setting it up.
        if (ms > 0 && m_settingUp)
            settled();
        m_events.positionChanged(ms);
    });
    return engine;
}

void MultimediaBackend::setURL(const QString &url, const QString &native) {
    m_url = url;
    m_native = native;
    m_failed = false;
    m_holdPaused = false;
    // A source set while the engine still sets up the one before locks it up:
    // its streaming thread then waits for the main thread, which waits for
    // it. The latest file waits until that set-up is over.
    if (m_settingUp) {
        m_waiting = true;
        m_loading = true;
        m_pendingSeek.reset();
        report();
        return;
    }
    load();
}

// The file given last is set up (or given up on): a file that waited goes in.
// A seek held meanwhile is carried out now.
void MultimediaBackend::settled() {
    m_settingUp = false;
    const bool waited = std::exchange(m_waiting, false);
    if (waited)
        m_loading = true;
    // Not from inside the engine's own report.
    QTimer::singleShot(0, this, [this, waited] {
        if (m_settingUp || m_url.isEmpty())
            return;
        if (waited)
            load();
        else
            onSeekable(m_engine->isSeekable());
    });
}

// Hands the file to the engine and starts it. Until the file is loaded the
// state is "transitioning": the engine passes through "stopped" on the way,
// and that must not look like the end of a song.
void MultimediaBackend::load() {
    if (m_url.isEmpty()) {
        m_loading = false;
        m_engine->setSource(QUrl());
        report();
        return;
    }
    m_loading = true;
    m_pendingSeek.reset();
    if (m_native.isEmpty()) {
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
    m_settingUp = true;
    // An engine that never tells the file is set up does not hold the
    // files after it for ever.
    QTimer::singleShot(kSetUpSeconds * 1000, this, [this, load = ++m_loads] {
        if (m_settingUp && load == m_loads)
            settled();
    });
    m_engine->setSource(QUrl::fromLocalFile(m_native));
    if (!std::exchange(m_holdPaused, false))
        m_engine->play();
    m_switching = false;
    onStatus(m_engine->mediaStatus());
}

// After an error the GStreamer engine stays "playing" and its next stop() or
// setSource() blocks for about a second. A fresh engine costs nothing, so the
// broken one is dropped (unhooked at once, so its further error reports are
// not heard); the file counts as played to its end.
void MultimediaBackend::fail() {
    QMediaPlayer *old = m_engine;
    disconnect(old, nullptr, this, nullptr);
    old->setAudioOutput(nullptr);
    QTimer::singleShot(0, this, [old] { delete old; });
    m_engine = makeEngine();
    m_loading = false;
    m_pendingSeek.reset();
    m_failed = !m_waiting;
    settled();
    m_events.engineReplaced();
    m_events.durationChanged(0);
    report();
}

void MultimediaBackend::onStatus(QMediaPlayer::MediaStatus status) {
    if (m_switching)
        return;
    switch (status) {
    case QMediaPlayer::InvalidMedia:
        fail();
        return;
    case QMediaPlayer::EndOfMedia:
        m_loading = false;
        settled();
        break;
    case QMediaPlayer::LoadedMedia:
    case QMediaPlayer::BufferingMedia:
    case QMediaPlayer::BufferedMedia:
        m_loading = m_waiting;
        break;
    default:
        break;
    }
    report();
}

void MultimediaBackend::play() {
    if (m_waiting) {
        m_holdPaused = false;
        return;
    }
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

void MultimediaBackend::pause() {
    if (m_waiting) {
        m_holdPaused = true;
        return;
    }
    // A stopped engine would start decoding just to stand paused.
    if (m_reported != MediaPlayer::Playing && m_reported != MediaPlayer::Transitioning)
        return;
    m_engine->pause();
    report();
}

bool MultimediaBackend::seek(qint64 ms) {
    if (m_failed || m_url.isEmpty())
        return false;
    // The engine drops a seek into a file it has not yet opened far enough,
    // and a seek while it sets the file up can lock it up as a new file can.
    if (m_engine->isSeekable() && !m_settingUp)
        m_engine->setPosition(ms);
    else
        m_pendingSeek = ms;
    return true;
}

void MultimediaBackend::onSeekable(bool seekable) {
    if (seekable && m_pendingSeek && !m_settingUp)
        m_engine->setPosition(*std::exchange(m_pendingSeek, std::nullopt));
}

qint64 MultimediaBackend::position() const {
    if (m_failed)
        return 0;
    return m_pendingSeek ? *m_pendingSeek : m_engine->position();
}

double MultimediaBackend::volume() const {
    return m_output->volume();
}

void MultimediaBackend::setVolume(double volume) {
    m_output->setVolume(float(volume));
}

qint64 MultimediaBackend::duration() const {
    return m_failed ? 0 : m_engine->duration();
}

void MultimediaBackend::stop() {
    m_waiting = false;
    m_loading = false;
    m_pendingSeek.reset();
    if (!m_failed)
        m_engine->stop();
    report();
}

int MultimediaBackend::derivedState() const {
    if (m_failed)
        return MediaPlayer::Stopped;
    if (m_url.isEmpty())
        return MediaPlayer::Undefined;
    switch (m_engine->playbackState()) {
    case QMediaPlayer::PausedState:
        return MediaPlayer::Paused;
    case QMediaPlayer::PlayingState:
        return m_loading ? MediaPlayer::Transitioning : MediaPlayer::Playing;
    case QMediaPlayer::StoppedState:
        break;
    }
    return m_loading ? MediaPlayer::Transitioning : MediaPlayer::Stopped;
}

void MultimediaBackend::report() {
    if (m_switching)
        return;
    const int state = derivedState();
    if (state == m_reported)
        return;
    m_reported = state;
    m_events.stateChanged(state);
}

std::unique_ptr<MediaBackend> makeMultimediaBackend(MediaBackendEvents events, double volume) {
    return std::make_unique<MultimediaBackend>(std::move(events), volume);
}

} // namespace tv
