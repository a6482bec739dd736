#include "core/AlbumFile.h"

#include "core/AlbumCommands.h"
#include "core/AlbumFormat.h"
#include "core/AlbumList.h"
#include "core/AlbumNames.h"
#include "core/Forma.h"
#include "core/Globals.h"
#include "core/SongPosition.h"
#include "core/TextLines.h"
#include "core/Turns.h"
#include "platform/Ports.h"

namespace tv {

namespace {

// Saving under a new name asks before it replaces another album; saving the
// open album again (in any letter case) never asks.
bool mayWrite(const QString &name) {
    if (name.isEmpty() || name.compare(G().NameAlbom, Qt::CaseInsensitive) == 0)
        return true;
    if (!P().fs->fileExists(G().AppDir + name))
        return true;
    const int answer =
        P().dialogs->MsgBox(G().strFileExists + QStringLiteral("\r\n") + G().strReplaceIt,
                            vbYesNo + vbExclamation + vbDefaultButton2, G().strTitle);
    return answer == vbYes;
}

// After the list is rebuilt the saved album is selected and becomes the
// open album's registry entry: its song starts are recorded there from now
// on, and a file saved under a new name remembers the current song too (a
// new album with no song started yet keeps the 0 the refresh gave it).
void showSaved(const QString &name) {
    letEventsIn();
    LoadAlbomInfoM();
    G().NumAlbom = selectAlbumEntry(name);
    if (G().NumPesni > -1)
        rememberSong(G().NumAlbom, G().NumPesni);
    letEventsIn();
}

} // namespace

// By value: callers pass NameAlbom itself, which the writer changes.
bool SaveFileM(QString name) {
    // Such a name could not be remembered in the settings, and Windows
    // refuses it as a bad name. A song that would tear its line is refused
    // too, before anything is written: the old file stays whole.
    if (!TextLines::fitsLine(name) || !AlbumFormat::holds(frmForma().ListPath)) {
        P().dialogs->MsgBox(G().strCantSave, vbOKOnly + vbCritical, G().strTitle);
        return false;
    }
    if (!mayWrite(name))
        return false;
    // The file system replaces the file whole or not at all, so a failure
    // anywhere (also a full disk half-way) leaves the old album intact.
    const FileError error =
        P().fs->writeFile(G().AppDir + name, AlbumFormat::format(frmForma().ListPath));
    if (error != FileError::None) {
        const QString &text = error == FileError::Access ? G().strWriteProtected : G().strCantSave;
        P().dialogs->MsgBox(text, vbOKOnly + vbCritical, G().strTitle);
        return false;
    }
    albumSavedAs(name);
    setOpenAlbum(name);
    showSaved(name);
    return true;
}

} // namespace tv
