#include "playback/Sequencing.h"

#include "core/Forma.h"

namespace tv {

// The option lives in the main menu's tick; the tray menu shows the same.
void MusicNonStop_Click() {
    Forma &f = frmForma();
    f.MusicNonStop.setChecked(!f.MusicNonStop.Checked());
    f.pMenuNonStop.setChecked(f.MusicNonStop.Checked());
}

void pMenuNonStop_Click() {
    MusicNonStop_Click();
}

} // namespace tv
