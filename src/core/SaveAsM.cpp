#include "core/AlbumCommands.h"

#include "core/AlbumNames.h"
#include "core/Globals.h"
#include "core/Turns.h"

namespace tv {

bool SaveAsM() {
    const QString proposed = G().NameAlbom.isEmpty() ? kNewAlbum : bareName(G().NameAlbom);
    const QString chosen = apiOpenSaveM(1, G().AppDir + proposed);
    if (chosen.isEmpty())
        return false;
    // Albums live in AppDir only, whatever folder the dialog ended in.
    return SaveFileM(bareName(withAlbExtension(chosen)));
}

void FileSaveAs_Click() {
    runCommand([] { SaveAsM(); });
}

void FileSave_Click() {
    runCommand([] {
        if (G().NameAlbom.isEmpty())
            SaveAsM();
        else
            SaveFileM(G().NameAlbom);
    });
}

} // namespace tv
