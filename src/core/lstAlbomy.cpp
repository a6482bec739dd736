#include "core/AlbumCommands.h"

#include "core/AlbumNames.h"
#include "core/Forma.h"
#include "core/Globals.h"
#include "core/OpenMark.h"
#include "platform/Ports.h"
#include "playback/NewPlayM.h"

namespace tv {

namespace {
constexpr int keyEnter = 13;
}

void lstAlbomy_DblClick() {
    const int mark = openMark();
    P().events->DoEvents();
    ListBox &list = frmForma().lstAlbomy;
    const QString wanted = list.List(list.ListIndex());
    const bool chosen = list.ListIndex() >= 0;
    if (ZaprosSaveAlbomM() == vbCancel || openMark() != mark)
        return;
    // Saving the changes rebuilds the list and selects the saved album; the
    // user still wants the album that was clicked.
    if (chosen && list.List(list.ListIndex()) != wanted)
        selectAlbumEntry(wanted);
    const int idx = list.ListIndex();
    if (idx < 0)
        return;
    if (idx == G().NumAlbom && G().NumPesni > -1) {
        NewPlayM(G().NumPesni);
        return;
    }
    OpenAlbomM(list.List(idx));
}

void lstAlbomy_KeyPress() {
    frmForma().PlayKeyDown = 2;
}

// Enter counts only when it went down in this list too: the Enter that
// started a song in the playlist must not also open an album here.
void lstAlbomy_KeyUp(int keyCode) {
    const bool enterHere = keyCode == keyEnter && frmForma().PlayKeyDown == 2;
    frmForma().PlayKeyDown = 0;
    if (enterHere)
        lstAlbomy_DblClick();
}

} // namespace tv
