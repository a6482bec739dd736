#pragma once

namespace tv {

// Play, Pause and Stop from the Music menu, the picture buttons and the tray menu.
void MusicPlay_Click();
void pPlay_Click(int index);
void pMenuPlay_Click();
void MusicPausa_Click();
void pMenuPauase_Click();
void pPause_Click(int index);
void MusicStop_Click();
void pMenuStop_Click();

// The playlist.
void PlayList_DblClick();
void PlayList_KeyDown();
void PlayList_KeyUp(int keyCode);

// The player changed its play state.
void MediaPlayer1_PlayStateChange(int newState);

// Connects the player's state event and the end-of-song timer to their
// handlers (once the ports are installed).
void connectPlayback();

} // namespace tv
