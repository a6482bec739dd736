#pragma once

#include <QObject>
#include <QString>

namespace tv {

// The media-player component: load a file, play, pause, rewind, read the play
// state and hear of every change of it. Paths are lettered.
class MediaPlayer : public QObject {
    Q_OBJECT
public:
    // Values of playState. Anything else (a file being loaded) is not playing.
    enum State { Undefined = 0, Stopped = 1, Paused = 2, Playing = 3, Transitioning = 9 };

    using QObject::QObject;

    // Loads the file; the player starts it by itself (autoStart).
    virtual void setURL(const QString &path) = 0;
    virtual QString URL() const = 0;
    virtual int playState() const = 0;
    virtual void play() = 0;
    virtual void pause() = 0;
    // Seconds from the start of the file; 0 rewinds.
    virtual void setCurrentPosition(double seconds) = 0;
    virtual double currentPosition() const = 0;
    // Used only at shutdown.
    virtual void stop() = 0;
    // Loudness from 0 (silent) to 1 (full), as the control bar's slider shows it.
    virtual double volume() const = 0;
    virtual void setVolume(double volume) = 0;
    // Length of the loaded file in seconds; 0 while the player does not know it.
    virtual double duration() const = 0;
    // The file to follow the loaded one without a gap, given once the player
    // asks for it (aboutToFinish); empty gives up the one given before. A
    // file given too late, or one the player cannot join, is not played:
    // the loaded one then ends as it would have.
    virtual void setNextURL(const QString &path) = 0;

signals:
    // Once per change of playState, with the new state.
    void PlayStateChange(int newState);
    void volumeChanged(double volume);
    void durationChanged(double seconds);
    // The position was set (rewind, a seek), not merely run on.
    void seeked(double seconds);
    // The loaded file is near its end: the moment to give the next one.
    void aboutToFinish();
    // The next file given is heard now, from its first sample: it is URL().
    void nextStarted();
};

} // namespace tv
