#include "core/AlbumCommands.h"

#include "core/AlbumFile.h"
#include "core/AlbumList.h"
#include "core/AlbumNames.h"
#include "core/Forma.h"
#include "core/Globals.h"
#include "core/SongPosition.h"
#include "core/Songs.h"
#include "core/Turns.h"
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

// The add-files browser belongs to New: commands that arrive while it is up
// wait until it closes.
void FileNew_Click() {
    runCommand([] {
        if (startNewAlbum())
            P().windows->showAddFile();
    });
}

bool startNewAlbum() {
    if (ZaprosSaveAlbomM() == vbCancel)
        return false;
    leaveAlbumPosition();
    MusicStop_Click();
    G().NumPesni = -1;
    clearSongs();
    setOpenAlbum(QString());
    addNewPlaceholder();
    letEventsIn();
    ListBox &albums = frmForma().lstAlbomy;
    albums.setListIndex(albums.ListCount() - 1);
    G().NumAlbom = G().AlbomUB();
    rememberSong(G().NumAlbom, -1);
    return true;
}

} // namespace tv
