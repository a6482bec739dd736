#pragma once

#include "core/Globals.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

namespace tv {

// What the settings file holds. A section the file lacks (or whose value
// line is unusable) stays empty, so that applying it leaves that value as
// start-up set it.
struct Settings {
    std::optional<int> Language;
    std::optional<QVector<AlbomInfo>> Alboms;
    std::optional<bool> ShowForm;
    std::optional<bool> MusicNonStop;
    std::optional<QString> NameEndAlbom;
    std::optional<int> NamePesni;
    std::optional<QString> strDir;

    bool operator==(const Settings &other) const;
};

// The settings file's bytes and its values, both ways, touching no state:
// the start-up read, the shutdown write and the fuzz target share it.
struct SettingsFormat {
    static Settings parse(const QByteArray &bytes);
    // Every section, empty ones with their defaults. A text that would break
    // its line is written empty, an album entry with such a name left out:
    // the next start would read the rest of it as settings.
    static QByteArray format(const Settings &settings);
};

// The settings file AppDir + "Тонвела для mp3.ini".
extern const char *const kSettingsFileName;

// The one routine that puts what the file held into the globals and the
// non-stop ticks of the main window; a section the file lacked changes nothing.
void applySettings(const Settings &settings);
// What the program would write now.
Settings currentSettings();

// The file's bytes read into the program, and the whole file as it is
// written at shutdown.
void readSettings(const QByteArray &bytes);
QByteArray writeSettings();

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

// AppDir + the settings file's name.
inline QString settingsPath() {
    return G().AppDir + QString::fromUtf8(kSettingsFileName);
}

} // namespace tv
