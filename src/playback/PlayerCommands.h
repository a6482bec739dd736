#pragma once

#include "platform/Shell.h"

#include <QList>

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

// Connects the player's state event and the end-of-song timer to their
// handlers (once the ports are installed).
void connectPlayback();

// Music > volume control and the tray menu's item: start the system's own
// volume control.
void MusicGromkost_Click();
void pMenuGromkost_Click();
void GromkostM();

// The desktops' own mixers, in the order they are looked for on the search
// path where the system has no "sndvol32.exe".
QList<ProgramCommand> volumeControls();

} // namespace tv
