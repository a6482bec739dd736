#include "core/Forma.h"
#include "core/SongEntry.h"
#include "core/Songs.h"
#include "editing/AddFilesM.h"

namespace tv {

void AddFile(const QString &folder, const QString &name, int namePesni) {
    const QString path = folder + name;
    if (LoadLowPath().contains(path))
        return;
    appendSongs({SongEntry::join(newSongTitle(folder, name, namePesni), path)});
    PlayListModel &list = frmForma().PlayList;
    list.setListIndex(list.ListCount() - 1);
}

} // namespace tv
