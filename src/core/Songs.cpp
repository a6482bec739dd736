#include "core/Songs.h"

#include "core/Forma.h"
#include "core/Globals.h"
#include "core/UpDatePlayListM.h"

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

} // namespace tv
