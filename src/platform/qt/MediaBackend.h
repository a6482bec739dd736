#pragma once

#include <QString>
#include <functional>
#include <memory>

namespace tv {

// What the media engine tells its player, as it happens.
struct MediaBackendEvents {
    std::function<void(int state)> stateChanged; // MediaPlayer::State
    std::function<void(qint64 ms)> positionChanged;
    std::function<void(qint64 ms)> durationChanged;
    std::function<void(double volume)> volumeChanged;
    // The song is near its end: the time to give the next one (setNext).
    std::function<void()> aboutToFinish;
    // The next song given follows now, heard from its first sample on.
    std::function<void(const QString &url)> nextStarted;
};

// The media engine behind QtMediaPlayer. It lives in a module of its own,
// loaded when the first song is played or once the window is up: the
// media libraries (the sound server's client, the codecs) take longer
// to load than the whole window takes to show.
class MediaBackend {
public:
    virtual ~MediaBackend() = default;

    // Loads and starts a file: url is the song's path as the program holds
    // it, native the same file on this machine (empty when its drive is
    // missing: the file then ends as one that cannot be played).
    virtual void setURL(const QString &url, const QString &native) = 0;
    // The file to follow the one playing without a gap, as setURL takes it;
    // an empty url gives up the one given before, if it has not begun.
    virtual void setNext(const QString &url, const QString &native) = 0;
    virtual int state() const = 0;
    virtual void play() = 0;
    virtual void pause() = 0;
    virtual void stop() = 0;
    // Whether there was a file to seek in.
    virtual bool seek(qint64 ms) = 0;
    virtual qint64 position() const = 0;
    virtual qint64 duration() const = 0;
    virtual double volume() const = 0;
    virtual void setVolume(double volume) = 0;
};

using MakeMediaBackend =
    std::function<std::unique_ptr<MediaBackend>(MediaBackendEvents events, double volume)>;

} // namespace tv
