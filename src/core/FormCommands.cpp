#include "core/FormCommands.h"

#include "core/Globals.h"
#include "core/Turns.h"
#include "core/WebLinks.h"
#include "platform/Ports.h"

namespace tv {

// The windows that change the album are commands from their opening to
// their closing: what they apply, they apply to the album they were opened
// on, and album commands that arrive meanwhile wait until they close.
void EditAddFile_Click() {
    runCommand([] { P().windows->showAddFile(); });
}

void FileFound_Click() {
    runCommand([] { P().windows->showFound(); });
}

void EditChange_Click() {
    runCommand([] { P().windows->showChange(); });
}

void EditNewDisk_Click() {
    runCommand([] { P().windows->showNewDisk(); });
}

void HelpAbout_Click() {
    P().windows->showOprog();
}

// The help page is a bare file name: OpURL looks it up in the program's folder.
void HelpCallHelp_Click() {
    OpURL(G().strHelpFile);
}

} // namespace tv
