#pragma once

namespace tv {

// Music > volume control and the tray menu's item: start the system's own
// volume control.
void MusicGromkost_Click();
void pMenuGromkost_Click();
void GromkostM();

} // namespace tv
