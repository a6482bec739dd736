#pragma once

#include "platform/FileSystem.h"
#include "platform/MediaPlayer.h"
#include "platform/qt/MediaBackend.h"

#include <memory>

namespace tv {

// The media player: plays at full volume unless told otherwise, through the
// media engine (MediaBackend.h). The engine is made when first needed, or by
// setUp(): loading it takes a tenth of a second and more (much more on a
// first start), which must not hold up the first window.
class QtMediaPlayer : public MediaPlayer {
    Q_OBJECT
public:
    QtMediaPlayer(FileSystem &fs, MakeMediaBackend makeBackend, QObject *parent = nullptr);
    ~QtMediaPlayer() override;

    // Makes the engine now, if it is not made yet.
    void setUp();

    void setURL(const QString &path) override;
    QString URL() const override { return m_url; }
    int playState() const override;
    void play() override;
    void pause() override;
    void setCurrentPosition(double seconds) override;
    double currentPosition() const override;
    void stop() override;
    double volume() const override;
    void setVolume(double volume) override;
    double duration() const override;
    void setNextURL(const QString &path) override;

    // For the control bar, in milliseconds.
    qint64 positionMs() const;
    qint64 durationMs() const;

signals:
    void positionMsChanged(qint64 ms);
    void durationMsChanged(qint64 ms);
    // The engine was made: position and duration are read from it.
    void engineChanged();

private:
    MediaBackendEvents events();

    FileSystem &m_fs;
    MakeMediaBackend m_makeBackend;
    std::unique_ptr<MediaBackend> m_backend;
    // 0 to 1; kept until the engine exists and handed to it then.
    double m_volume = 1.0;
    QString m_url;
};

} // namespace tv
