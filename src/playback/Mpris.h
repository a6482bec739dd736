#pragma once

#include "platform/MediaBus.h"

#include <QObject>
#include <QVariantMap>

namespace tv {

// What a song's tags show of it, read once per song file.
struct SongLook {
    QString file;
    QString artist;
    QString title;
    QString artUrl;
};

// The desktop's remote controls mapped onto the program's own commands: Play,
// Pause and Stop as in the Music menu, Next as the end of a song, Raise as the
// tray's double-click, Quit as closing the main window. While it exists it is
// offered on P().bus and tells the bus of every change of its properties.
class Mpris : public QObject, public MediaRemote {
    Q_OBJECT
public:
    Mpris();
    ~Mpris() override;

    // Whether a bus took it.
    bool published() const { return m_bus != nullptr; }

    QVariantMap properties(Interface which) const override;
    qint64 position() const override;
    void setVolume(double volume) override;

    void Raise() override;
    void Quit() override;
    void Play() override;
    void Pause() override;
    void PlayPause() override;
    void Stop() override;
    void Next() override;
    void Previous() override;
    void Seek(qint64 offset) override;
    void SetPosition(const QString &trackId, qint64 position) override;
    void OpenUri(const QString &uri) override;
    bool opens(const QString &uri) const override;

    // Reads the properties again and tells the bus those that changed.
    void refresh();

private:
    void follow();
    void refreshSoon();

    bool m_refreshing = false;
    MediaBus *m_bus = nullptr;
    // The properties as the bus last heard them, per interface.
    QVariantMap m_told[2];
    // The tags of the song played.
    mutable SongLook m_look;
};

// The properties, read from the global state, the main window and the player;
// the song's tags too when given a look to keep them in.
QVariantMap mprisRootProperties();
QVariantMap mprisPlayerProperties(SongLook *look = nullptr);
// The current song: its track path, title, artist, album, file address, length
// and cover.
QVariantMap mprisMetadata(SongLook *look = nullptr);
// The kinds of file OpenUri takes: MP3 files and M3U playlists.
QStringList mprisMimeTypes();
// "Playing", "Paused" or "Stopped".
QString mprisPlaybackStatus();

} // namespace tv
