#include "core/Forma.h"
#include "core/Songs.h"
#include "editing/Removing.h"

namespace tv {

void EditDel_Click() {
    Forma &f = frmForma();
    const int i = f.PlayList.ListIndex();
    // Del acts on the state the menu had when it last opened: by now nothing
    // may be selected, or the row may be gone.
    if (i < 0 || i >= f.ListPath.size())
        return;
    SongList songs = f.ListPath;
    songs.removeAt(i);
    replaceSongs(std::move(songs));
}

} // namespace tv
