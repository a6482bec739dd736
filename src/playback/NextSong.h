#pragma once

#include <QObject>
#include <QString>
#include <optional>

namespace tv {

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

} // namespace tv
