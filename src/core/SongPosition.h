#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace tv {

// Where an album was left: its song and the position inside it. Each album
// keeps one, in a small file of its own beside the settings file, whose
// bytes (and the albums') it leaves alone.
struct SongPosition {
    QString album; // the album's file name, as NameAlbom holds it
    int song = -1; // NumPesni
    QString entry; // the song's ListPath entry, title and path
    int positionMs = 0;
    int lengthMs = 0;

    // The file: a first line of its own, then one line per album
    // (Windows-1251, CR LF, as the settings file).
    static QByteArray encode(const QList<SongPosition> &positions);
    // The sound lines of the file, an album once (its first line); false for
    // a file that is no position file at all.
    static bool decode(const QByteArray &bytes, QList<SongPosition> *positions);
    // Whether a line can hold it.
    bool fits() const;

private:
    static bool decodeOne(const QStringList &lines, QList<SongPosition> *positions);
};

// AppDir + the position file's name, beside the settings file.
QString songPositionPath();

// Start-up, before the previous run's album is opened: the albums' positions.
void readSongPositions();
// Shutdown: the open album's place noted, the positions of albums that are
// gone dropped, the rest written.
void saveSongPosition();
// The open album is left (another album opened, New): where it stood.
void leaveAlbumPosition();
// An album was opened and its remembered song started: the song goes on
// where the album was left, or, left in its last five seconds, ends now.
void resumeAlbumPosition();
// The open album was written under name: a position kept under that name
// belonged to the album the file held before.
void albumSavedAs(const QString &name);

} // namespace tv
