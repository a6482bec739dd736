#include "core/Songs.h"

#include "core/Forma.h"
#include "core/Globals.h"

namespace tv {

void appendSongs(const QStringList &entries) {
    if (entries.isEmpty())
        return;
    Forma &f = frmForma();
    const qsizetype before = f.ListPath.size();
    f.ListPath.append(entries);
    f.PlayList.appendRows(int(f.ListPath.size() - before));
    G().AlbomChanged = 1;
}

void replaceSongs(QStringList entries) {
    replaceSongs(SongList(entries));
}

void replaceSongs(SongList entries) {
    frmForma().ListPath = std::move(entries);
    UpDatePlayListM();
}

void clearSongs() {
    Forma &f = frmForma();
    f.PlayList.Clear();
    f.ListPath.clear();
}

void UpDatePlayListM() {
    Forma &f = frmForma();
    int sel = f.PlayList.ListIndex();
    f.PlayList.rebuild();
    // The selected song may be gone from the end (one removed, or several by
    // the title editor): the selection stays on the new last one.
    if (sel >= f.PlayList.ListCount())
        sel = f.PlayList.ListCount() - 1;
    f.PlayList.setListIndex(sel);
    f.setFocusTo(Forma::Control::PlayList);
    G().AlbomChanged = 1;
}

} // namespace tv
