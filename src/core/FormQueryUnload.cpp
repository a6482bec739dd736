#include "core/AlbumCommands.h"
#include "core/Forma.h"
#include "core/Globals.h"
#include "core/Startup.h"
#include "platform/Dialogs.h"

namespace tv {

void Form_QueryUnload(bool *cancel) {
    if (ZaprosSaveAlbomM() == vbCancel) {
        if (cancel)
            *cancel = true;
        return;
    }
    // Hidden to the tray now means the next run starts hidden too.
    G().ShowForm = frmForma().Visible();
    SaveINIM();
}

// Both only ask the window to close; the close request does the rest.
void FileExit_Click() {
    frmForma().unload();
}

void pMenuExit_Click() {
    frmForma().unload();
}

} // namespace tv
