#pragma once

#include "platform/qt/MediaBackend.h"

#include <QObject>
#include <QTimer>
#include <gst/gst.h>
#include <memory>
#include <optional>

namespace tv {

class BusRelay;
class SongPipeline;

// The media engine: GStreamer, sound only (see SongPipeline). Starts a file as soon as
// it is given and shows no error dialogs: a file that cannot be played simply
// ends (state 1), so that the program moves on to the next one.
class PipelineBackend : public QObject, public MediaBackend {
    Q_OBJECT
public:
    // Plays in the pipeline given; when that is the MP3 chain, a file it
    // cannot start is tried in a playbin made then.
    PipelineBackend(std::unique_ptr<SongPipeline> pipeline, MediaBackendEvents events,
                    double volume);
    ~PipelineBackend() override;

    void setURL(const QString &url, const QString &native) override;
    void setNext(const QString &url, const QString &native) override;
    int state() const override { return m_reported; }
    void play() override;
    void pause() override;
    void stop() override;
    bool seek(qint64 ms) override;
    qint64 position() const override;
    qint64 duration() const override { return m_failed ? 0 : m_duration; }
    double volume() const override { return m_volume; }
    void setVolume(double volume) override;

    // Where the pipeline stands (a held seek aside; -1 when it cannot tell)
    // and whether it has a file under way, for the tests to look into.
    qint64 pipelinePosition() const;
    bool pipelineRunning() const;

private:
    enum class Want { Stop, Pause, Play };

    void listen(SongPipeline &pipeline);
    bool use(bool playbin);
    void onMessage(GstMessage *message);
    bool retryInPlaybin();
    void load();
    void drop(GstState to);
    void loaded();
    void ended();
    void fail();
    void sendSeek(qint64 ms);
    void seekDone();
    bool pipelineChanging() const;
    void queryDuration();
    void follow();
    int derivedState() const;
    void tick();
    void dropNext();
    void nextBegins(GstMessage *message);
    void checkJoin();
    void joined();
    qint64 runningNs() const;
    void report();

    MediaBackendEvents m_events;
    std::unique_ptr<SongPipeline> m_first;
    std::unique_ptr<SongPipeline> m_playbin;
    // The one the file plays in.
    SongPipeline *m_on;
    std::shared_ptr<BusRelay> m_relay;
    QTimer m_ticker;
    QString m_url;
    QString m_native;
    Want m_want = Want::Stop;
    // From the file's start until the pipeline has it ready to sound.
    bool m_loading = false;
    bool m_failed = false;
    // A position asked for, held until the pipeline can seek; and the one it
    // is seeking to, until it gets there.
    std::optional<qint64> m_heldSeek;
    std::optional<qint64> m_seeking;
    // Where the song stood when it ended or was stopped.
    qint64 m_stoppedAt = 0;
    qint64 m_duration = 0;
    // The file given to follow, once linked behind the one playing; and the
    // running time at which it is heard, once it has begun.
    QString m_nextUrl;
    QString m_nextNative;
    std::optional<guint64> m_joinAt;
    bool m_aboutToFinishSent = false;
    double m_volume;
    int m_reported;
};

// Plays in the pipeline given, or else in one made now. None when GStreamer
// can make neither pipeline (the reason goes to the error output).
std::unique_ptr<MediaBackend> makePipelineBackend(std::unique_ptr<SongPipeline> pipeline,
                                                  MediaBackendEvents events, double volume);

} // namespace tv
