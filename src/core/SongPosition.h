#pragma once

#include <QByteArray>
#include <QString>

namespace tv {

// Where the song playing (or paused) at the end of a run stood, kept in a
// small file of its own beside the settings file, whose bytes it leaves alone.
struct SongPosition {
    QString album; // NameAlbom of the open album
    int song = -1; // NumPesni
    QString entry; // the song's ListPath entry, title and path
    int positionMs = 0;
    int lengthMs = 0;

    // Its lines (Windows-1251, CR LF, as the settings file); an empty text
    // when nothing was playing.
    QByteArray encode() const;
    // False for a file that is not one whole position.
    static bool decode(const QByteArray &bytes, SongPosition *position);
};

// AppDir + the position file's name, beside the settings file.
QString songPositionPath();

// Shutdown: remembers the song the player holds, or that there is none.
void saveSongPosition();
// Start-up, once the previous run's album was opened and its remembered song
// started: that song goes on where the previous run left it, unless it stood
// in its last five seconds or is another song now.
void resumeSongPosition();

} // namespace tv
