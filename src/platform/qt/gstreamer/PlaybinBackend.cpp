#include "platform/qt/gstreamer/PlaybinBackend.h"

#include "platform/MediaPlayer.h"
#include "platform/qt/gstreamer/BusRelay.h"
#include "platform/qt/gstreamer/Playbin.h"

#include <QFile>
#include <cstdio>
#include <utility>

namespace tv {

namespace {

// The rate at which the control bar's clock and slider move on.
constexpr int kTickMs = 100;

} // namespace

PlaybinBackend::PlaybinBackend(GstElement *playbin, MediaBackendEvents events, double volume)
    : m_events(std::move(events)), m_playbin(playbin), m_volume(volume),
      m_reported(MediaPlayer::Undefined) {
    m_ticker.setInterval(kTickMs);
    connect(&m_ticker, &QTimer::timeout, this, [this] {
        seekDone();
        m_events.positionChanged(position());
    });
    m_relay = std::make_shared<BusRelay>(
        this, [this](const BusRelay::Message &message, quint64 generation) {
            if (generation == m_relay->generation())
                onMessage(message.get());
        });
    g_object_set(m_playbin, "volume", volume, nullptr);
    GstBus *bus = gst_element_get_bus(m_playbin);
    // A handler on the pipeline's threads rather than a watch on a main
    // context: it does not depend on Qt running its events through GLib.
    gst_bus_set_sync_handler(bus, &BusRelay::onBus, new std::shared_ptr<BusRelay>(m_relay),
                             &BusRelay::release);
    gst_object_unref(bus);
}

PlaybinBackend::~PlaybinBackend() {
    m_relay->cutOff();
    gst_element_set_state(m_playbin, GST_STATE_NULL);
    gst_object_unref(m_playbin);
}

void PlaybinBackend::setURL(const QString &url, const QString &native) {
    m_url = url;
    m_native = native;
    m_failed = false;
    m_heldSeek.reset();
    if (url.isEmpty()) {
        m_want = Want::Stop;
        m_loading = false;
        drop(GST_STATE_READY);
        report();
        return;
    }
    m_want = Want::Play;
    load();
}

// Hands the file to the pipeline and starts it. Until the pipeline has it
// ready the state is "transitioning"; a file that cannot be opened ends
// after the caller got on, as one that cannot be decoded does.
void PlaybinBackend::load() {
    drop(GST_STATE_READY);
    m_loading = true;
    if (std::exchange(m_duration, 0) != 0)
        m_events.durationChanged(0);
    bool started = false;
    if (!m_native.isEmpty()) {
        gchar *uri = gst_filename_to_uri(QFile::encodeName(m_native).constData(), nullptr);
        g_object_set(m_playbin, "uri", uri, nullptr);
        g_free(uri);
        started = gst_element_set_state(m_playbin, m_want == Want::Pause ? GST_STATE_PAUSED
                                                                         : GST_STATE_PLAYING) !=
                  GST_STATE_CHANGE_FAILURE;
    }
    report();
    if (started)
        return;
    // A start that failed may leave parts running (see fail()).
    gst_element_set_state(m_playbin, GST_STATE_NULL);
    QTimer::singleShot(0, this, [this, generation = m_relay->generation()] {
        if (m_loading && generation == m_relay->generation())
            fail();
    });
}

// The pipeline gives up what it was doing; whatever it still reports of it
// is not heard.
void PlaybinBackend::drop(GstState to) {
    gst_element_set_state(m_playbin, to);
    m_relay->nextFile();
    m_seeking.reset();
    m_ticker.stop();
}

void PlaybinBackend::onMessage(GstMessage *message) {
    switch (GST_MESSAGE_TYPE(message)) {
    case GST_MESSAGE_ASYNC_DONE:
        if (m_loading)
            loaded();
        else
            seekDone();
        break;
    case GST_MESSAGE_DURATION_CHANGED:
        queryDuration();
        break;
    case GST_MESSAGE_EOS:
        ended();
        break;
    case GST_MESSAGE_ERROR: {
        GError *error = nullptr;
        gst_message_parse_error(message, &error, nullptr);
        // The program only moves on; the reason is for whoever looks.
        std::fprintf(stderr, "tonvela: %s: %s\n", qPrintable(m_native),
                     error ? error->message : "error");
        g_clear_error(&error);
        fail();
        break;
    }
    default:
        break;
    }
}

// The file is ready to sound (or stands paused): a seek asked for meanwhile
// is carried out now.
void PlaybinBackend::loaded() {
    m_loading = false;
    queryDuration();
    if (m_heldSeek)
        sendSeek(*std::exchange(m_heldSeek, std::nullopt));
    follow();
    report();
}

void PlaybinBackend::ended() {
    const qint64 at = pipelinePosition();
    m_stoppedAt = at >= 0 ? at : m_duration;
    m_loading = false;
    m_want = Want::Stop;
    m_heldSeek.reset();
    drop(GST_STATE_READY);
    m_events.positionChanged(m_stoppedAt);
    report();
}

// The file counts as played to its end. A pipeline that failed to start may
// have left parts of it running (a second try at finding the file's type,
// whose error would then count against the next file): only NULL stops all.
void PlaybinBackend::fail() {
    drop(GST_STATE_NULL);
    m_loading = false;
    m_failed = true;
    m_want = Want::Stop;
    m_heldSeek.reset();
    m_stoppedAt = 0;
    if (std::exchange(m_duration, 0) != 0)
        m_events.durationChanged(0);
    m_events.positionChanged(0);
    report();
}

void PlaybinBackend::play() {
    if (m_url.isEmpty() || m_want == Want::Play)
        return;
    if (m_failed || m_want == Want::Stop) {
        // Over or stopped: it starts again; a file that failed may be back
        // (a drive plugged in).
        m_failed = false;
        m_want = Want::Play;
        load();
        return;
    }
    m_want = Want::Play;
    if (!m_native.isEmpty())
        gst_element_set_state(m_playbin, GST_STATE_PLAYING);
    follow();
    report();
}

void PlaybinBackend::pause() {
    // A stopped pipeline would start decoding just to stand paused.
    if (m_want != Want::Play || m_failed)
        return;
    m_want = Want::Pause;
    if (!m_native.isEmpty())
        gst_element_set_state(m_playbin, GST_STATE_PAUSED);
    follow();
    report();
}

void PlaybinBackend::stop() {
    m_heldSeek.reset();
    if (!m_failed && m_want != Want::Stop) {
        m_loading = false;
        m_want = Want::Stop;
        m_stoppedAt = 0;
        drop(GST_STATE_READY);
        m_events.positionChanged(0);
    }
    report();
}

// The pipeline seeks only once it has the file ready, and one seek at a
// time; until then the latest position asked for is held.
bool PlaybinBackend::seek(qint64 ms) {
    if (m_failed || m_url.isEmpty())
        return false;
    if (m_loading || m_seeking || m_want == Want::Stop || m_native.isEmpty()) {
        m_heldSeek = ms;
        m_events.positionChanged(ms);
    } else {
        sendSeek(ms);
    }
    return true;
}

// A pause also ends in ASYNC_DONE, which may come while a seek is still on
// its way: only a pipeline with no change pending stands where it was sent.
void PlaybinBackend::seekDone() {
    if (!m_seeking || pipelineChanging())
        return;
    m_seeking.reset();
    if (m_heldSeek)
        sendSeek(*std::exchange(m_heldSeek, std::nullopt));
    m_events.positionChanged(position());
}

void PlaybinBackend::sendSeek(qint64 ms) {
    if (m_duration > 0)
        ms = qMin(ms, m_duration);
    const auto flags = GstSeekFlags(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE);
    if (gst_element_seek_simple(m_playbin, GST_FORMAT_TIME, flags, ms * GST_MSECOND))
        m_seeking = ms;
    m_events.positionChanged(ms);
}

qint64 PlaybinBackend::position() const {
    if (m_failed)
        return 0;
    if (m_heldSeek)
        return *m_heldSeek;
    if (m_seeking)
        return *m_seeking;
    if (m_want == Want::Stop)
        return m_stoppedAt;
    if (m_loading)
        return 0;
    return qMax<qint64>(0, pipelinePosition());
}

void PlaybinBackend::queryDuration() {
    gint64 ns = 0;
    if (!gst_element_query_duration(m_playbin, GST_FORMAT_TIME, &ns) || ns <= 0)
        return;
    const qint64 ms = ns / GST_MSECOND;
    if (std::exchange(m_duration, ms) != ms)
        m_events.durationChanged(ms);
}

void PlaybinBackend::setVolume(double volume) {
    if (qFuzzyCompare(1 + volume, 1 + m_volume))
        return;
    m_volume = volume;
    g_object_set(m_playbin, "volume", volume, nullptr);
    m_events.volumeChanged(volume);
}

qint64 PlaybinBackend::pipelinePosition() const {
    gint64 ns = 0;
    if (!gst_element_query_position(m_playbin, GST_FORMAT_TIME, &ns))
        return -1;
    return ns / GST_MSECOND;
}

bool PlaybinBackend::pipelineChanging() const {
    GstState now = GST_STATE_NULL, pending = GST_STATE_VOID_PENDING;
    return gst_element_get_state(m_playbin, &now, &pending, 0) == GST_STATE_CHANGE_ASYNC;
}

bool PlaybinBackend::pipelineRunning() const {
    GstState now = GST_STATE_NULL, pending = GST_STATE_VOID_PENDING;
    gst_element_get_state(m_playbin, &now, &pending, 0);
    return now >= GST_STATE_PAUSED || pending >= GST_STATE_PAUSED;
}

// The position moves on by itself only while the song plays.
void PlaybinBackend::follow() {
    if (m_want == Want::Play && !m_loading && !m_failed)
        m_ticker.start();
    else
        m_ticker.stop();
}

int PlaybinBackend::derivedState() const {
    if (m_failed)
        return MediaPlayer::Stopped;
    if (m_url.isEmpty())
        return MediaPlayer::Undefined;
    switch (m_want) {
    case Want::Pause:
        return MediaPlayer::Paused;
    case Want::Play:
        return m_loading ? MediaPlayer::Transitioning : MediaPlayer::Playing;
    case Want::Stop:
        break;
    }
    return MediaPlayer::Stopped;
}

void PlaybinBackend::report() {
    const int state = derivedState();
    if (state == m_reported)
        return;
    m_reported = state;
    m_events.stateChanged(state);
}

std::unique_ptr<MediaBackend> makePlaybinBackend(MediaBackendEvents events, double volume) {
    GstElement *playbin = makePlaybin();
    if (!playbin) {
        std::fprintf(stderr, "tonvela: no sound: GStreamer cannot make a playbin\n");
        return nullptr;
    }
    return std::make_unique<PlaybinBackend>(playbin, std::move(events), volume);
}

} // namespace tv
