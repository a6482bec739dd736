#include "playback/PlayerCommands.h"

#include "core/Forma.h"
#include "platform/Ports.h"
#include "playback/NextSong.h"
#include "playback/PlayerTurn.h"
#include "playback/Sequencing.h"

namespace tv {

void MediaPlayer1_PlayStateChange(int newState) {
    Forma &f = frmForma();
    // Stopped is the end of a song - or a file the player could not decode,
    // which must move on the same way rather than stall the album. Not so
    // after the user's Stop: a file still loading may pass through "stopped"
    // on its way to the pause.
    PlayerTurn &turn = playerTurn();
    if (newState == MediaPlayer::Playing)
        turn.stoppedByUser = false;
    if (newState == MediaPlayer::Stopped && !turn.stoppedByUser)
        f.tmrEndSound.start();
    const bool playing = P().player->playState() == MediaPlayer::Playing;
    f.setPictureButtons({!playing, playing}, {playing, !playing});
}

void connectPlayback() {
    // A second call replaces the connections instead of doubling them.
    Forma &f = frmForma();
    QObject *context = f.renewPlaybackLinks();
    QObject::connect(P().player, &MediaPlayer::PlayStateChange, context,
                     &MediaPlayer1_PlayStateChange);
    QObject::connect(&f.tmrEndSound, &QTimer::timeout, context, &tmrEndSound_Timer);
    connectNextSong(context);
}

} // namespace tv
