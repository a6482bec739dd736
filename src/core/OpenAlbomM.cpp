#include "core/AlbumFile.h"

#include "core/AlbumNames.h"
#include "core/Forma.h"
#include "core/Globals.h"
#include "core/TextLines.h"
#include "core/UpDatePlayListM.h"
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
    list.RemoveItem(last);
    resizeAlboms(G().AlbomUB - 1);
}

// The songs of an album file: as many lines as the count line says, but
// never more than the file holds - a damaged count must not make us wait
// for or allocate lines that are not there.
QStringList songLines(const QByteArray &bytes) {
    const QStringList lines = TextLines::decode(bytes);
    int count = 0;
    if (lines.isEmpty() || !TextLines::parseNumber(lines.first(), &count) || count <= 0)
        return {};
    return lines.mid(1, qMin<qsizetype>(count, lines.size() - 1));
}

int reportOpenFailure(FileError error) {
    // The message needs its owner on screen, also while it sits in the tray.
    frmForma().setVisible(true);
    P().events->DoEvents();
    const QString &text = error == FileError::NotFound ? G().strNotFound : G().strCantOpen;
    P().dialogs->MsgBox(text, vbOKOnly + vbCritical, G().strTitle);
    return 1;
}

void startRememberedSong() {
    Globals &g = G();
    g.NumAlbom = frmForma().lstAlbomy.ListIndex();
    if (const AlbomInfo *albom = albomAt(g.NumAlbom))
        g.NumPesni = albom->NumPesni;
    const int count = int(frmForma().ListPath.size());
    if (count == 0)
        return;
    if (g.NumPesni < 0 || g.NumPesni >= count)
        g.NumPesni = 0;
    NewPlayM(g.NumPesni);
}

} // namespace

int OpenAlbomM(const QString &album) {
    // The caller's text may be a global that this routine or an event changes.
    const QString name = album;
    Forma &f = frmForma();
    dropNewPlaceholder();
    f.setCaption(name);
    QByteArray bytes;
    const FileError error = P().fs->readFile(G().AppDir + name, &bytes);
    if (error != FileError::None)
        return reportOpenFailure(error);

    f.ListPath = songLines(bytes);
    f.PlayList.setListIndex(-1);
    UpDatePlayListM();

    G().AlbomChanged = 0;
    G().NameAlbom = name;
    G().NameEndAlbom = name;
    f.setCaption(G().strTitle + QStringLiteral(" - ") + name);
    startRememberedSong();
    return 0;
}

} // namespace tv
