#include "playback/Sequencing.h"

#include "core/Forma.h"
#include "core/Globals.h"
#include "playback/ListAlbomModel.h"
#include "playback/NewPlayM.h"
#include "playback/PlayerCommands.h"

namespace tv {

void tmrEndSound_Timer() {
    frmForma().tmrEndSound.stop();
    EndTimeM();
}

namespace {

void endOfAlbum() {
    Forma &f = frmForma();
    // Played again later, this album starts from its first song.
    G().NumPesni = 0;
    if (AlbomInfo *albom = albomAt(G().NumAlbom))
        albom->NumPesni = 0;
    if (G().AlbomUB == 0 || f.MusicNonStop.Checked()) {
        NextAlbomM();
    } else if (G().ShowForm) {
        NextAlbomM();
        f.setFocusTo(Forma::Control::lstAlbomy);
    } else {
        // Hidden in the tray and not told to go on: let the user pick. A
        // Next from the remote reaches here with the last song still
        // playing; it stops as if it had ended.
        MusicStop_Click();
        frmListAlbom_Show();
    }
}

} // namespace

void EndTimeM() {
    if (G().NumPesni == -1)
        return;
    const int count = frmForma().PlayList.ListCount();
    if (count == 0)
        return;
    // Songs removed behind the current one leave NumPesni past the end; that
    // album is over as well.
    if (G().NumPesni + 1 < count) {
        G().NumPesni = G().NumPesni + 1;
        NewPlayM(G().NumPesni);
        return;
    }
    endOfAlbum();
}

} // namespace tv
