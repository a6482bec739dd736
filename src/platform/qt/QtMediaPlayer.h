#pragma once

#include "platform/FileSystem.h"
#include "platform/MediaPlayer.h"

#include <QMediaPlayer>
#include <optional>

class QAudioOutput;

namespace tv {

// The media player on Qt Multimedia. Starts a file as soon as it is loaded,
// plays at full volume and shows no error dialogs: a file that cannot be
// played simply ends (state 1), so that the program moves on to the next one.
//
// The engine and its sound output are made when first needed, or by setUp():
// loading the media back end takes a tenth of a second and more (much more
// on a first start), which must not hold up the first window.
class QtMediaPlayer : public MediaPlayer {
    Q_OBJECT
public:
    explicit QtMediaPlayer(FileSystem &fs, QObject *parent = nullptr);

    // Makes the engine now, if it is not made yet.
    void setUp();

    void setURL(const QString &path) override;
    QString URL() const override { return m_url; }
    int playState() const override { return m_reported; }
    void play() override;
    void pause() override;
    void setCurrentPosition(double seconds) override;
    double currentPosition() const override;
    void stop() override;
    double volume() const override;
    void setVolume(double volume) override;
    double duration() const override;

    // For the control bar; none until the engine is made. The engine is
    // replaced after a failed file (see fail()); engineChanged tells whoever
    // watches it, the first time too.
    QMediaPlayer *engine() const { return m_engine; }
    QAudioOutput *audioOutput() const { return m_output; }

signals:
    void engineChanged(QMediaPlayer *engine);

private:
    QMediaPlayer *makeEngine();
    void load();
    void fail();
    void onStatus(QMediaPlayer::MediaStatus status);
    void onSeekable(bool seekable);
    int derivedState() const;
    void report();

    FileSystem &m_fs;
    QAudioOutput *m_output = nullptr;
    QMediaPlayer *m_engine = nullptr;
    // 0 to 1; kept before the sound output exists and handed to it then.
    double m_volume = 1.0;
    QString m_url;
    bool m_loading = false;
    bool m_switching = false;
    std::optional<qint64> m_pendingSeek;
    bool m_failed = false;
    int m_reported = Undefined;
};

} // namespace tv
