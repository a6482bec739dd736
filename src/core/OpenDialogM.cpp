#include "core/AlbumCommands.h"

#include "core/AlbumNames.h"
#include "core/Forma.h"
#include "core/Globals.h"
#include "core/Turns.h"
#include "platform/Dialogs.h"

namespace tv {

void FileOpen_Click() {
    runCommand(OpenDialogM);
}

void OpenDialogM() {
    if (ZaprosSaveAlbomM() == vbCancel)
        return;
    const QString chosen = apiOpenSaveM(0, QString());
    if (chosen.isEmpty())
        return;
    // Albums are always read from AppDir, whatever folder the dialog ended in.
    const QString name = bareName(withAlbExtension(chosen));
    letEventsIn();
    // The reader records the album's songs in the selected registry entry:
    // that has to be the opened album's own, not whichever was selected.
    selectAlbumEntry(name);
    // Nothing was opened: the list shows the album that is still open.
    if (OpenAlbomM(name) != 0)
        frmForma().lstAlbomy.setListIndex(G().NumAlbom);
}

} // namespace tv
