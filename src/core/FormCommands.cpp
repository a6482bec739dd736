#include "core/FormCommands.h"

#include "core/Globals.h"
#include "core/WebLinks.h"
#include "platform/Ports.h"

namespace tv {

void EditAddFile_Click() {
    P().windows->showAddFile();
}

void FileFound_Click() {
    P().windows->showFound();
}

void EditChange_Click() {
    P().windows->showChange();
}

void EditNewDisk_Click() {
    P().windows->showNewDisk();
}

void HelpAbout_Click() {
    P().windows->showOprog();
}

// The help page is a bare file name: OpURL looks it up in the program's folder.
void HelpCallHelp_Click() {
    OpURL(G().strHelpFile);
}

} // namespace tv
