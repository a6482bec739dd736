#include "core/AlbumCommands.h"

#include "core/AlbumNames.h"
#include "core/Globals.h"

namespace tv {

SaveResult saveAlbumAs() {
    const QString proposed = G().NameAlbom.isEmpty() ? kNewAlbum : bareName(G().NameAlbom);
    const QString chosen = apiOpenSaveM(1, G().AppDir + proposed);
    if (chosen.isEmpty())
        return SaveResult::Declined;
    // Albums live in AppDir only, whatever folder the dialog ended in.
    return saveAlbumFile(bareName(withAlbExtension(chosen)));
}

void SaveAsM() {
    saveAlbumAs();
}

void FileSaveAs_Click() {
    SaveAsM();
}

void FileSave_Click() {
    if (G().NameAlbom.isEmpty())
        SaveAsM();
    else
        SaveFileM(G().NameAlbom);
}

} // namespace tv
