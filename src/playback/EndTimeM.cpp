#include "playback/Sequencing.h"

#include "core/AlbumList.h"
#include "core/Forma.h"
#include "core/Globals.h"
#include "core/Turns.h"
#include "playback/ListAlbomModel.h"
#include "playback/NewPlayM.h"
#include "playback/PlayerCommands.h"

namespace tv {

void tmrEndSound_Timer() {
    frmForma().tmrEndSound.stop();
    EndTimeM();
}

namespace {

// Going on to another album waits for a command still running (a dialog may
// be up over the album that ends); songs inside an album do not.
void endOfAlbum() {
    Forma &f = frmForma();
    // An album opened while this waited has not ended.
    if (G().NumPesni == -1 || G().NumPesni + 1 < f.PlayList.ListCount())
        return;
    // Played again later, this album starts from its first song.
    G().NumPesni = 0;
    rememberSong(G().NumAlbom, 0);
    if (G().AlbomUB() == 0 || f.MusicNonStop.Checked()) {
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
    runCommand(endOfAlbum, Waiting::LatestOnly);
}

} // namespace tv
