#include "core/AlbumFile.h"

#include "core/AlbumCommands.h"
#include "core/AlbumFormat.h"
#include "core/AlbumNames.h"
#include "core/Forma.h"
#include "core/Globals.h"
#include "core/SongPosition.h"
#include "core/TextLines.h"
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
// on, and a file saved under a new name remembers the current song too.
// The open album's entry is selected in the rebuilt list at once, before
// events run again. An album opened by an event let in on the way is the
// open one from then on: its entry, not the saved one's, is selected.
void showSaved(QString name) {
    P().events->DoEvents();
    LoadAlbomInfoM();
    // A New let in meanwhile is the open album: its placeholder's entry.
    const QString &open = G().NameAlbom;
    G().NumAlbom = selectAlbumEntry(open.isEmpty() ? kNewAlbum : open);
    if (G().NameAlbom != name)
        return;
    // A new album with no song started yet keeps the 0 the refresh gave it.
    AlbomInfo *albom = albomAt(G().NumAlbom);
    if (albom && G().NumPesni > -1)
        albom->NumPesni = G().NumPesni;
    P().events->DoEvents();
    if (G().NameAlbom == name)
        frmForma().setCaption(G().strTitle + QStringLiteral(" - ") + name);
}

} // namespace

// By value: callers pass NameAlbom itself, which the writer and pending
// events change.
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
    G().AlbomChanged = 0;
    albumSavedAs(name);
    G().NameAlbom = name;
    G().NameEndAlbom = name;
    showSaved(name);
    return true;
}

} // namespace tv
