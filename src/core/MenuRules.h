#pragma once

namespace tv {

// Menu items are enabled or disabled when their menu opens, and only then.
void File_Click();
void Edit_Click();
void Music_Click();

// Size or state of the main window changed; minimised hides it to the tray.
// Returns true when the window must be put back into its normal state (it was
// hidden to the tray and should come back unminimised).
bool Form_Resize(bool minimized);

} // namespace tv
