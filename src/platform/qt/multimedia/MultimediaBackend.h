#pragma once

#include "platform/qt/MediaBackend.h"

#include <QMediaPlayer>
#include <QObject>
#include <optional>

class QAudioOutput;

namespace tv {

// The media engine on Qt Multimedia. Starts a file as soon as it is loaded
// and shows no error dialogs: a file that cannot be played simply ends
// (state 1), so that the program moves on to the next one.
class MultimediaBackend : public QObject, public MediaBackend {
    Q_OBJECT
public:
    MultimediaBackend(MediaBackendEvents events, double volume);
    ~MultimediaBackend() override;

    void setURL(const QString &url, const QString &native) override;
    int state() const override { return m_reported; }
    void play() override;
    void pause() override;
    void stop() override;
    bool seek(qint64 ms) override;
    qint64 position() const override;
    qint64 duration() const override;
    double volume() const override;
    void setVolume(double volume) override;

    // The engine of the moment and the sound output, for the tests to look into.
    QMediaPlayer *engine() const { return m_engine; }
    QAudioOutput *audioOutput() const { return m_output; }

private:
    QMediaPlayer *makeEngine();
    void load();
    void settled();
    void fail();
    void onStatus(QMediaPlayer::MediaStatus status);
    void onSeekable(bool seekable);
    int derivedState() const;
    void report();

    MediaBackendEvents m_events;
    QAudioOutput *m_output = nullptr;
    QMediaPlayer *m_engine = nullptr;
    QString m_url;
    QString m_native;
    bool m_loading = false;
    bool m_switching = false;
    // The engine sets up the file it was given last on its own threads, also
    // after it says the file is loaded, until sound flows; a file given
    // meanwhile waits (m_waiting), and a pause asked for then keeps it from
    // starting (m_holdPaused).
    bool m_settingUp = false;
    bool m_waiting = false;
    bool m_holdPaused = false;
    int m_loads = 0;
    std::optional<qint64> m_pendingSeek;
    bool m_failed = false;
    int m_reported;
};

std::unique_ptr<MediaBackend> makeMultimediaBackend(MediaBackendEvents events, double volume);

} // namespace tv
