#include "core/AlbumCommands.h"

#include "core/AlbumList.h"
#include "core/AlbumNames.h"
#include "core/Forma.h"
#include "core/Globals.h"
#include "core/OpenMark.h"
#include "core/SongPosition.h"
#include "core/Songs.h"
#include "platform/Ports.h"
#include "playback/PlayerCommands.h"

namespace tv {

namespace {

// The list ends with one "New" placeholder however often New is chosen.
void addNewPlaceholder() {
    const ListBox &list = frmForma().lstAlbomy;
    const int c = list.ListCount();
    if (c > 0 && list.List(c - 1) == kNewAlbum)
        return;
    appendAlbumEntry(kNewAlbum, {QString(), -1});
}

} // namespace

void FileNew_Click() {
    if (startNewAlbum())
        P().windows->showAddFile();
}

bool startNewAlbum() {
    if (ZaprosSaveAlbomM() == vbCancel)
        return false;
    leaveAlbumPosition();
    MusicStop_Click();
    Globals &g = G();
    Forma &f = frmForma();
    g.NumPesni = -1;
    g.NameAlbom.clear();
    f.setCaption(g.strTitle);
    clearSongs();
    g.AlbomChanged = 0;
    noteAlbumOpened();
    const int mark = openMark();

    addNewPlaceholder();
    P().events->DoEvents();
    // Another album opened, or this one saved under a name: not New's any more.
    if (openMark() != mark || !g.NameAlbom.isEmpty())
        return false;
    f.lstAlbomy.setListIndex(f.lstAlbomy.ListCount() - 1);
    if (AlbomInfo *albom = albomAt(g.AlbomUB))
        albom->NumPesni = -1;
    g.NumAlbom = g.AlbomUB;
    return true;
}

} // namespace tv
