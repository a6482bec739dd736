#include "platform/qt/gstreamer/PipelineBackend.h"

#include "platform/MediaPlayer.h"
#include "platform/qt/gstreamer/BusRelay.h"
#include "platform/qt/gstreamer/SongPipeline.h"

#include <QFile>
#include <cstdio>
#include <utility>

namespace tv {

namespace {

// The rate at which the control bar's clock and slider move on.
constexpr int kTickMs = 100;
// How long before a song's end the next one is asked for: late, so that what
// the user does until then decides it, and early enough for a busy machine
// to link it before the last sample.
constexpr qint64 kAheadMs = 2000;

} // namespace

PipelineBackend::PipelineBackend(std::unique_ptr<SongPipeline> pipeline, MediaBackendEvents events,
                                 double volume)
    : m_events(std::move(events)), m_first(std::move(pipeline)), m_on(m_first.get()),
      m_volume(volume), m_reported(MediaPlayer::Undefined) {
    m_ticker.setInterval(kTickMs);
    connect(&m_ticker, &QTimer::timeout, this, &PipelineBackend::tick);
    m_relay = std::make_shared<BusRelay>(
        this, [this](const BusRelay::Message &message, quint64 generation) {
            if (generation == m_relay->generation())
                onMessage(message.get());
        });
    listen(*m_first);
}

PipelineBackend::~PipelineBackend() {
    m_relay->cutOff();
}

// A handler on the pipeline's threads rather than a watch on a main context:
// it does not depend on Qt running its events through GLib.
void PipelineBackend::listen(SongPipeline &pipeline) {
    pipeline.setVolume(m_volume);
    GstBus *bus = gst_element_get_bus(pipeline.element());
    gst_bus_set_sync_handler(bus, &BusRelay::onBus, new std::shared_ptr<BusRelay>(m_relay),
                             &BusRelay::release);
    gst_object_unref(bus);
}

// The pipeline the file plays in from now on; the other one is stopped whole.
bool PipelineBackend::use(bool playbin) {
    SongPipeline *next = m_first.get();
    if (playbin && !m_first->isPlaybin()) {
        if (!m_playbin && (m_playbin = SongPipeline::playbin()))
            listen(*m_playbin);
        next = m_playbin.get();
    }
    if (!next)
        return false;
    if (next != m_on) {
        drop(GST_STATE_NULL);
        m_on = next;
    }
    return true;
}

void PipelineBackend::tick() {
    seekDone();
    checkJoin();
    const qint64 at = position();
    m_events.positionChanged(at);
    if (!m_aboutToFinishSent && m_duration > 0 && at >= m_duration - kAheadMs &&
        m_want == Want::Play) {
        m_aboutToFinishSent = true;
        if (m_events.aboutToFinish)
            m_events.aboutToFinish();
    }
}

// Only the MP3 chain joins files; in playbin, and for a file that is not
// there, the song ends and the next starts as any other.
void PipelineBackend::setNext(const QString &url, const QString &native) {
    dropNext();
    if (url.isEmpty() || native.isEmpty() || m_on->isPlaybin() || m_failed || m_loading ||
        m_want == Want::Stop || !QFile::exists(native))
        return;
    if (!m_on->linkNext(QFile::encodeName(native))) {
        m_on->unlinkNext();
        return;
    }
    m_nextUrl = url;
    m_nextNative = native;
}

// A next file that has begun already stays: it is what is heard.
void PipelineBackend::dropNext() {
    if (m_nextUrl.isEmpty() || m_joinAt || !m_on->unlinkNext())
        return;
    m_nextUrl.clear();
    m_nextNative.clear();
}

void PipelineBackend::nextBegins(GstMessage *message) {
    const GstStructure *s = gst_message_get_structure(message);
    guint64 at = 0;
    if (m_nextUrl.isEmpty() || !s || !gst_structure_has_name(s, SongPipeline::kBegins) ||
        !gst_structure_get_uint64(s, "running-time", &at) || !m_on->nextBegun())
        return;
    GstClockTime latency = gst_pipeline_get_latency(GST_PIPELINE(m_on->element()));
    m_joinAt = at + (GST_CLOCK_TIME_IS_VALID(latency) ? latency : 0);
    const qint64 wait = (qint64(*m_joinAt) - runningNs()) / qint64(GST_MSECOND);
    QTimer::singleShot(int(qBound<qint64>(0, wait, kAheadMs)), this,
                       [this, generation = m_relay->generation()] {
                           if (generation == m_relay->generation())
                               checkJoin();
                       });
}

// The running clock stands still only while the song plays.
void PipelineBackend::checkJoin() {
    if (m_joinAt && m_want == Want::Play && !pipelineChanging() && runningNs() >= qint64(*m_joinAt))
        joined();
}

void PipelineBackend::joined() {
    m_joinAt.reset();
    m_url = std::exchange(m_nextUrl, QString());
    m_native = std::exchange(m_nextNative, QString());
    m_aboutToFinishSent = false;
    m_on->dropFinished();
    queryDuration();
    if (m_events.nextStarted)
        m_events.nextStarted(m_url);
    m_events.positionChanged(position());
}

qint64 PipelineBackend::runningNs() const {
    GstClock *clock = gst_element_get_clock(m_on->element());
    if (!clock)
        return -1;
    const GstClockTime now = gst_clock_get_time(clock);
    gst_object_unref(clock);
    return qint64(now) - qint64(gst_element_get_base_time(m_on->element()));
}

void PipelineBackend::setURL(const QString &url, const QString &native) {
    m_url = url;
    m_native = native;
    m_failed = false;
    use(false);
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
void PipelineBackend::load() {
    drop(GST_STATE_READY);
    m_loading = true;
    m_aboutToFinishSent = false;
    if (std::exchange(m_duration, 0) != 0)
        m_events.durationChanged(0);
    bool started = false;
    if (!m_native.isEmpty()) {
        m_on->setFile(QFile::encodeName(m_native));
        started =
            gst_element_set_state(m_on->element(),
                                  m_want == Want::Pause ? GST_STATE_PAUSED : GST_STATE_PLAYING) !=
            GST_STATE_CHANGE_FAILURE;
    }
    report();
    if (started)
        return;
    // A start that failed may leave parts running (see fail()).
    gst_element_set_state(m_on->element(), GST_STATE_NULL);
    QTimer::singleShot(0, this, [this, generation = m_relay->generation()] {
        if (m_loading && generation == m_relay->generation() && !retryInPlaybin())
            fail();
    });
}

// The pipeline gives up what it was doing; whatever it still reports of it
// is not heard.
void PipelineBackend::drop(GstState to) {
    gst_element_set_state(m_on->element(), to);
    m_nextUrl.clear();
    m_nextNative.clear();
    m_joinAt.reset();
    m_relay->nextFile();
    m_seeking.reset();
    m_ticker.stop();
}

void PipelineBackend::onMessage(GstMessage *message) {
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
    case GST_MESSAGE_APPLICATION:
        nextBegins(message);
        break;
    case GST_MESSAGE_ERROR: {
        if (m_loading && retryInPlaybin())
            break;
        // The next file is no MP3 after all: the song playing ends as it would
        // have without it, and the next is started on its own then.
        if (m_on->fromNext(GST_MESSAGE_SRC(message)) && !m_on->nextBegun()) {
            dropNext();
            break;
        }
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
void PipelineBackend::loaded() {
    m_loading = false;
    queryDuration();
    if (m_heldSeek)
        sendSeek(*std::exchange(m_heldSeek, std::nullopt));
    follow();
    report();
}

void PipelineBackend::ended() {
    // A next file shorter than the output's delay ends before it is heard.
    if (m_joinAt)
        joined();
    const qint64 at = pipelinePosition();
    m_stoppedAt = at >= 0 ? at : m_duration;
    m_loading = false;
    m_want = Want::Stop;
    m_heldSeek.reset();
    drop(GST_STATE_READY);
    m_events.positionChanged(m_stoppedAt);
    report();
}

// A file the MP3 chain cannot start (not MPEG audio inside, whatever its
// name) is tried once more in playbin, which finds out what it is. Whether
// it is.
bool PipelineBackend::retryInPlaybin() {
    if (m_on->isPlaybin() || !use(true))
        return false;
    load();
    return true;
}

// The file counts as played to its end. A pipeline that failed to start may
// have left parts of it running (a second try at finding the file's type,
// whose error would then count against the next file): only NULL stops all.
void PipelineBackend::fail() {
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

void PipelineBackend::play() {
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
        gst_element_set_state(m_on->element(), GST_STATE_PLAYING);
    follow();
    report();
}

void PipelineBackend::pause() {
    // A stopped pipeline would start decoding just to stand paused.
    if (m_want != Want::Play || m_failed)
        return;
    m_want = Want::Pause;
    if (!m_native.isEmpty())
        gst_element_set_state(m_on->element(), GST_STATE_PAUSED);
    follow();
    report();
}

void PipelineBackend::stop() {
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
bool PipelineBackend::seek(qint64 ms) {
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
void PipelineBackend::seekDone() {
    if (!m_seeking || pipelineChanging())
        return;
    m_seeking.reset();
    if (m_heldSeek)
        sendSeek(*std::exchange(m_heldSeek, std::nullopt));
    m_events.positionChanged(position());
}

void PipelineBackend::sendSeek(qint64 ms) {
    if (m_duration > 0)
        ms = qMin(ms, m_duration);
    const auto flags = GstSeekFlags(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE);
    if (gst_element_seek_simple(m_on->element(), GST_FORMAT_TIME, flags, ms * GST_MSECOND))
        m_seeking = ms;
    m_events.positionChanged(ms);
}

qint64 PipelineBackend::position() const {
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

void PipelineBackend::queryDuration() {
    gint64 ns = 0;
    if (!gst_element_query_duration(m_on->element(), GST_FORMAT_TIME, &ns) || ns <= 0)
        return;
    const qint64 ms = ns / GST_MSECOND;
    if (std::exchange(m_duration, ms) != ms)
        m_events.durationChanged(ms);
}

void PipelineBackend::setVolume(double volume) {
    if (qFuzzyCompare(1 + volume, 1 + m_volume))
        return;
    m_volume = volume;
    m_first->setVolume(volume);
    if (m_playbin)
        m_playbin->setVolume(volume);
    m_events.volumeChanged(volume);
}

qint64 PipelineBackend::pipelinePosition() const {
    gint64 ns = 0;
    if (!gst_element_query_position(m_on->element(), GST_FORMAT_TIME, &ns))
        return -1;
    return ns / GST_MSECOND;
}

bool PipelineBackend::pipelineChanging() const {
    GstState now = GST_STATE_NULL, pending = GST_STATE_VOID_PENDING;
    return gst_element_get_state(m_on->element(), &now, &pending, 0) == GST_STATE_CHANGE_ASYNC;
}

bool PipelineBackend::pipelineRunning() const {
    GstState now = GST_STATE_NULL, pending = GST_STATE_VOID_PENDING;
    gst_element_get_state(m_on->element(), &now, &pending, 0);
    return now >= GST_STATE_PAUSED || pending >= GST_STATE_PAUSED;
}

// The position moves on by itself only while the song plays.
void PipelineBackend::follow() {
    if (m_want == Want::Play && !m_loading && !m_failed)
        m_ticker.start();
    else
        m_ticker.stop();
}

int PipelineBackend::derivedState() const {
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

void PipelineBackend::report() {
    const int state = derivedState();
    if (state == m_reported)
        return;
    m_reported = state;
    m_events.stateChanged(state);
}

std::unique_ptr<MediaBackend> makePipelineBackend(std::unique_ptr<SongPipeline> pipeline,
                                                  MediaBackendEvents events, double volume) {
    if (!pipeline)
        pipeline = SongPipeline::mp3Chain();
    if (!pipeline)
        pipeline = SongPipeline::playbin();
    if (!pipeline) {
        std::fprintf(stderr, "tonvela: no sound: GStreamer cannot make a playbin\n");
        return nullptr;
    }
    return std::make_unique<PipelineBackend>(std::move(pipeline), std::move(events), volume);
}

} // namespace tv
