#include "core/AlbumCommands.h"
#include "core/AlbumFile.h"

#include "core/Globals.h"
#include "platform/Ports.h"

namespace tv {

int ZaprosSaveAlbomM() {
    if (G().AlbomChanged != 1)
        return 0;
    const int answer =
        P().dialogs->MsgBox(G().strSaveChanges, vbYesNoCancel + vbExclamation, G().strTitle);
    if (answer != vbYes)
        return answer;
    const bool saved = G().NameAlbom.isEmpty() ? SaveAsM() : SaveFileM(G().NameAlbom);
    // The user asked to keep the changes and nothing was written (the write
    // failed, the save dialog was cancelled, replacing a file was refused):
    // going on would throw them away, so the caller stops as on Cancel.
    return saved ? answer : int(vbCancel);
}

} // namespace tv
