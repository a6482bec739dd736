#pragma once

#include "platform/Shell.h"

#include <QList>

namespace tv {

// Music > volume control and the tray menu's item: start the system's own
// volume control.
void MusicGromkost_Click();
void pMenuGromkost_Click();
void GromkostM();

// The desktops' own mixers, in the order they are looked for on the search
// path where the system has no "sndvol32.exe".
QList<ProgramCommand> volumeControls();

} // namespace tv
