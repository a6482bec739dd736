#pragma once

namespace tv {

// Menu items are enabled or disabled when their menu opens, and only then.
void File_Click();
void Edit_Click();
void Music_Click();

// Size or state of the main window changed; minimised hides it to the tray.
void Form_Resize(bool minimized);

} // namespace tv
