#include "core/AlbumFile.h"

#include "core/AlbumFormat.h"
#include "core/AlbumList.h"
#include "core/AlbumNames.h"
#include "core/Forma.h"
#include "core/Globals.h"
#include "core/ShowForma.h"
#include "core/SongPosition.h"
#include "core/Songs.h"
#include "core/TextLines.h"
#include "core/Turns.h"
#include "platform/Ports.h"
#include "playback/NewPlayM.h"

namespace tv {

namespace {

// Leaving an unsaved new album drops its placeholder and registry entry.
void dropNewPlaceholder() {
    ListBox &list = frmForma().lstAlbomy;
    const int last = list.ListCount() - 1;
    if (last < 0 || list.List(last) != kNewAlbum)
        return;
    removeAlbumEntry(last);
}

int reportOpenFailure(FileError error) {
    // The message needs its owner on screen, also while it sits in the tray.
    showFormaForMessage();
    letEventsIn();
    const QString &text = error == FileError::NotFound ? G().strNotFound : G().strCantOpen;
    P().dialogs->MsgBox(text, vbOKOnly + vbCritical, G().strTitle);
    return 1;
}

void startRememberedSong() {
    Globals &g = G();
    g.NumAlbom = frmForma().lstAlbomy.ListIndex();
    if (g.NumAlbom >= 0 && g.NumAlbom <= g.AlbomUB())
        g.NumPesni = rememberedSong(g.NumAlbom);
    const int count = int(frmForma().ListPath.size());
    if (count == 0)
        return;
    if (g.NumPesni < 0 || g.NumPesni >= count)
        g.NumPesni = 0;
    NewPlayM(g.NumPesni);
}

} // namespace

// By value: the caller's text may be a global that this routine changes.
int OpenAlbomM(QString name) {
    Forma &f = frmForma();
    leaveAlbumPosition();
    dropNewPlaceholder();
    f.setCaption(name);
    QByteArray bytes;
    // A name with a control character is a bad name, as on Windows: it
    // would reach the settings file as NameEndAlbom.
    const FileError error = TextLines::fitsLine(name)
                                ? P().fs->readFile(G().AppDir + name, &bytes, kAlbumFileLimit)
                                : FileError::Other;
    if (error != FileError::None)
        return reportOpenFailure(error);

    f.PlayList.setListIndex(-1);
    replaceSongs(AlbumFormat::read(std::move(bytes)));

    setOpenAlbum(name);
    startRememberedSong();
    resumeAlbumPosition();
    return 0;
}

void setOpenAlbum(const QString &name) {
    Globals &g = G();
    g.AlbomChanged = 0;
    g.NameAlbom = name;
    if (name.isEmpty()) {
        frmForma().setCaption(g.strTitle);
        return;
    }
    g.NameEndAlbom = name;
    frmForma().setCaption(g.strTitle + QStringLiteral(" - ") + name);
}

} // namespace tv
