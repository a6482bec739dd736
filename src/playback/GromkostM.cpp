#include "playback/GromkostM.h"

namespace tv {

void MusicGromkost_Click() {
    GromkostM();
}

void pMenuGromkost_Click() {
    MusicGromkost_Click();
}

// Seam: the launcher of the system's volume control is not built yet; until
// then the item does nothing (the control bar has its own volume slider).
void GromkostM() {}

} // namespace tv
