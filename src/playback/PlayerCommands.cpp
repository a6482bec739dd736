#include "playback/PlayerCommands.h"

#include "core/Forma.h"
#include "core/Globals.h"
#include "platform/Ports.h"
#include "playback/NewPlayM.h"
#include "playback/NextSong.h"
#include "playback/PlayerTurn.h"

namespace tv {

namespace {

constexpr int keyEnter = 13;

} // namespace

void MusicPlay_Click() {
    const int state = P().player->playState();
    if (state == MediaPlayer::Paused || state == MediaPlayer::Stopped) {
        playerTurn().stoppedByUser = false;
        P().player->play();
    } else
        NewPlayM(frmForma().PlayList.ListIndex());
}

void pPlay_Click(int) {
    MusicPlay_Click();
}

void pMenuPlay_Click() {
    // From the tray, with no playlist in sight, Play means the current song.
    if (G().ShowForm)
        MusicPlay_Click();
    else
        NewPlayM(G().NumPesni);
}

void MusicPausa_Click() {
    if (P().player->playState() != MediaPlayer::Playing)
        return;
    dropNextSong();
    P().player->pause();
}

void pMenuPauase_Click() {
    MusicPausa_Click();
}

void pPause_Click(int) {
    MusicPausa_Click();
}

// Never the player's stop: a stopped player means "song over, go on". A song
// still loading is on its way to playing and is held as well; a start asked
// for before the Stop is dropped, the Stop being the later wish.
void MusicStop_Click() {
    const int state = P().player->playState();
    if (state != MediaPlayer::Playing && state != MediaPlayer::Transitioning)
        return;
    playerTurn().stoppedByUser = true;
    playerTurn().waiting.reset();
    dropNextSong();
    P().player->pause();
    P().player->setCurrentPosition(0);
}

void pMenuStop_Click() {
    MusicStop_Click();
}

void PlayList_DblClick() {
    NewPlayM(frmForma().PlayList.ListIndex());
}

void PlayList_KeyDown() {
    frmForma().PlayKeyDown = 1;
}

// Enter counts only when it went down in the list too: the Enter that opened
// an album in the album list must not also start a song here.
void PlayList_KeyUp(int keyCode) {
    if (keyCode == keyEnter && frmForma().PlayKeyDown == 1)
        PlayList_DblClick();
    frmForma().PlayKeyDown = 0;
}

} // namespace tv
