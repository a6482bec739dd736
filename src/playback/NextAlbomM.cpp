#include "playback/Sequencing.h"

#include "core/AlbumFile.h"
#include "core/Forma.h"
#include "core/Globals.h"
#include "core/ShowForma.h"
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
    f.lstAlbomy.setListIndex(next);
    if (next == G().NumAlbom && G().NumPesni > -1)
        NewPlayM(G().NumPesni);
    else
        OpenAlbomM(f.lstAlbomy.List(next));
}

} // namespace tv
