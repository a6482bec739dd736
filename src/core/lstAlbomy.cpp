#include "core/AlbumCommands.h"

#include "core/AlbumNames.h"
#include "core/Forma.h"
#include "core/Globals.h"
#include "core/Turns.h"
#include "platform/Ports.h"
#include "playback/NewPlayM.h"

namespace tv {

namespace {

constexpr int keyEnter = 13;

void openPicked(const QString &wanted) {
    letEventsIn();
    if (ZaprosSaveAlbomM() == vbCancel || wanted.isEmpty())
        return;
    // Saving the changes rebuilds the list, and an album that ended while
    // this pick waited moved the selection on: the user still wants the
    // album that was clicked.
    const int idx = selectAlbumEntry(wanted);
    if (idx < 0)
        return;
    if (idx == G().NumAlbom && G().NumPesni > -1) {
        NewPlayM(G().NumPesni);
        return;
    }
    OpenAlbomM(wanted);
}

} // namespace

void lstAlbomy_DblClick() {
    const ListBox &list = frmForma().lstAlbomy;
    const QString wanted = list.ListIndex() >= 0 ? list.List(list.ListIndex()) : QString();
    runCommand([wanted] { openPicked(wanted); });
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
