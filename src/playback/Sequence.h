#pragma once

#include <QObject>
#include <QString>
#include <optional>

namespace tv {

// The sequence: a song's start and end, the next song made ready to join
// without a gap, the next album and non-stop, and the turn of song starts.

void tmrEndSound_Timer();
// The player changed its play state.
void MediaPlayer1_PlayStateChange(int newState);
// A song has ended: the next song, the next album, or the album-list window.
void EndTimeM();
void NextAlbomM();
void MusicNonStop_Click();
void pMenuNonStop_Click();

// Starts song index of the open album (-1: nothing), looking for its file on
// the other drives when it is not where the album says.
void NewPlayM(int index);
// Where the song's file lies now: the stored path, or the same path on
// another drive (a collection copied to a new disk); empty when on none.
QString songFile(const QString &path);
// Song index is the current song from now on: remembered, shown in the
// title panel, selected and named in the tray tip.
void showStarted(int index);

// The song handed to the player to follow the one playing without a gap.
// It is chosen as late as the player allows (when it asks, near the song's
// end), and given up the moment anything changes which song comes next: the
// user's last word wins over what was prepared.
class NextSong : public QObject {
    Q_OBJECT
public:
    struct Prepared {
        int index;
        QString entry; // its ListPath entry when it was prepared
        // Given up; the player may have begun it all the same, too late to
        // be held back.
        bool dropped = false;
    };

    using QObject::QObject;

    std::optional<Prepared> prepared;
};

// The one of the main window.
NextSong &nextSong();

// The player asks for the song to follow: the next of the album, never past
// its end (the album's end keeps its pause and its choices).
void prepareNextSong();
// What was prepared no longer follows.
void dropNextSong();
// Another song is handed to the player, which gives up any next one itself.
void forgetNextSong();
// The prepared song is heard: it is the current song from now on, shown and
// remembered as any song started.
void nextSongStarted();
// Links the player and the playlist to the above, within context.
void connectNextSong(QObject *context);

// Who has the player at the moment. A song start lets events run between
// handing the file over and playing it; the engine is still setting that file
// up then, and a second file given to it in that moment can lock it up. So a
// start asked for meanwhile waits its turn (the latest request wins) and runs
// once the first is done. A Stop from the user holds until the next start or
// Play: what the player reports in between is no end of a song.
class PlayerTurn : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    bool starting = false;
    // The song index asked for meanwhile.
    std::optional<int> waiting;
    bool stoppedByUser = false;
};

// The one of the main window.
PlayerTurn &playerTurn();

} // namespace tv
