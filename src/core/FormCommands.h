#pragma once

namespace tv {

// Menu commands of the main window that open another window or a document.
void EditAddFile_Click();
void FileFound_Click();
void EditChange_Click();
void EditNewDisk_Click();
void HelpAbout_Click();
void HelpCallHelp_Click();

} // namespace tv
