#include "playback/ListAlbomModel.h"

#include "core/Forma.h"
#include "core/ShowForma.h"
#include "core/Turns.h"

namespace tv {

// The user asks for the albums from the tray: the main window comes back
// with the keys going to its album list.
void pMenuListAlbom_Click() {
    runCommand([] {
        showForma(true);
        letEventsIn();
        frmForma().activate();
        frmForma().setFocusTo(Forma::Control::lstAlbomy);
    });
}

} // namespace tv
