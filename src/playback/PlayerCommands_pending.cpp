// PENDING: placeholder bodies so that everything links; replace, then delete this file.
#include "playback/PlayerCommands.h"

namespace tv {

void MusicPlay_Click() {}
void pPlay_Click(int) {}
void pMenuPlay_Click() {}
void MusicPausa_Click() {}
void pMenuPauase_Click() {}
void pPause_Click(int) {}
void MusicStop_Click() {}
void pMenuStop_Click() {}
void PlayList_DblClick() {}
void PlayList_KeyDown() {}
void PlayList_KeyUp(int) {}
void MediaPlayer1_PlayStateChange(int) {}
void connectPlayback() {}

} // namespace tv
