#pragma once

#include <QString>
#include <QVariantMap>

namespace tv {

// What the desktop's remote controls (media keys, panels, phone remotes) may
// ask of the program and read from it. The logic implements it; the names are
// those of the media-player remote interface, MPRIS 2.
class MediaRemote {
public:
    // The two interfaces: the application and its player.
    enum Interface { Root, Player };

    virtual ~MediaRemote() = default;

    // Every property of an interface by name. A track's "mpris:trackid" is an
    // object path held as a string; lengths are microseconds.
    virtual QVariantMap properties(Interface which) const = 0;
    // Runs on by itself, so it is read when asked and never announced.
    virtual qint64 position() const = 0;
    virtual void setVolume(double volume) = 0;

    virtual void Raise() = 0;
    virtual void Quit() = 0;
    virtual void Play() = 0;
    virtual void Pause() = 0;
    virtual void PlayPause() = 0;
    virtual void Stop() = 0;
    virtual void Next() = 0;
    virtual void Previous() = 0;
    virtual void Seek(qint64 offset) = 0;
    virtual void SetPosition(const QString &trackId, qint64 position) = 0;
    // A file:// address: the file joins the open album and plays.
    virtual void OpenUri(const QString &uri) = 0;
    // Whether OpenUri takes the address: it names an MP3 file, a folder or a
    // playlist that is there. Asked at once, before OpenUri runs.
    virtual bool opens(const QString &uri) const = 0;
};

// The bus the remote controls reach the program through (the session bus on
// Linux). Without one the program simply has no remote.
class MediaBus {
public:
    virtual ~MediaBus() = default;

    // Offers the remote on the bus; false when there is no bus to offer it on.
    virtual bool publish(MediaRemote *remote) = 0;
    virtual void withdraw() = 0;
    // The properties of an interface that changed, with their new values.
    virtual void propertiesChanged(MediaRemote::Interface which, const QVariantMap &changed) = 0;
    // The position jumped (microseconds).
    virtual void seeked(qint64 position) = 0;
    // A song's picture kept where the desktop's panels can read it, once per
    // picture; its address, or empty when the bytes are no picture that
    // decodes within bounds.
    virtual QString coverAddress(const QByteArray &picture) = 0;
};

} // namespace tv
