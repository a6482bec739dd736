#include "playback/Sequencing.h"

#include "core/AlbumCommands.h"
#include "core/AlbumNames.h"
#include "core/Forma.h"
#include "core/Globals.h"
#include "core/ShowForma.h"
#include "platform/Dialogs.h"
#include "playback/NewPlayM.h"
#include "playback/PlayerCommands.h"

namespace tv {

void NextAlbomM() {
    Forma &f = frmForma();
    const int selected = f.lstAlbomy.ListIndex();
    if (selected == -1) {
        // No album to go on from: hand over to the user, with nothing playing
        // (a Next from the remote comes here with the last song still on).
        MusicStop_Click();
        showForma(true);
        f.activate();
        return;
    }
    int next = selected + 1;
    if (next >= f.lstAlbomy.ListCount())
        next = 0;
    if (next == G().NumAlbom && G().NumPesni > -1) {
        f.lstAlbomy.setListIndex(next);
        NewPlayM(G().NumPesni);
        return;
    }
    // The album's changes are not lost by going on. Cancel stays on it, with
    // nothing playing; saving rebuilds the list, so the next album is found
    // by its name.
    const QString name = f.lstAlbomy.List(next);
    if (ZaprosSaveAlbomM() == vbCancel) {
        MusicStop_Click();
        return;
    }
    selectAlbumEntry(name);
    OpenAlbomM(name);
}

} // namespace tv
