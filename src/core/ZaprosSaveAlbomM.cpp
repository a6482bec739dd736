#include "core/AlbumCommands.h"

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
    const SaveResult saved = G().NameAlbom.isEmpty() ? saveAlbumAs() : saveAlbumFile(G().NameAlbom);
    // The user asked to keep the changes and the write failed: going on would
    // throw them away, so the caller stops as on Cancel and the album stays.
    return saved == SaveResult::Failed ? int(vbCancel) : answer;
}

} // namespace tv
