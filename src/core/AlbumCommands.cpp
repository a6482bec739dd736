#include "core/AlbumCommands.h"

#include "core/AlbumFormat.h"
#include "core/AlbumList.h"
#include "core/Forma.h"
#include "core/Globals.h"
#include "core/Settings.h"
#include "core/Songs.h"
#include "core/TextLines.h"
#include "core/Turns.h"
#include "platform/Dialogs.h"
#include "platform/Ports.h"
#include "playback/PlayerCommands.h"
#include "playback/Sequence.h"

#include <QHash>

namespace tv {

namespace {

// The list ends with one "New" placeholder however often New is chosen.
void addNewPlaceholder() {
    const ListBox &list = frmForma().lstAlbomy;
    const int c = list.ListCount();
    if (c > 0 && list.List(c - 1) == kNewAlbum)
        return;
    appendAlbumEntry(kNewAlbum, {QString(), -1});
}

} // namespace

// The add-files browser belongs to New: commands that arrive while it is up
// wait until it closes.
void FileNew_Click() {
    runCommand([] {
        if (startNewAlbum())
            P().windows->showAddFile();
    });
}

bool startNewAlbum() {
    if (ZaprosSaveAlbomM() == vbCancel)
        return false;
    leaveAlbumPosition();
    MusicStop_Click();
    G().NumPesni = -1;
    clearSongs();
    setOpenAlbum(QString());
    addNewPlaceholder();
    letEventsIn();
    ListBox &albums = frmForma().lstAlbomy;
    albums.setListIndex(albums.ListCount() - 1);
    G().NumAlbom = G().AlbomUB();
    rememberSong(G().NumAlbom, -1);
    return true;
}

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

QString apiOpenSaveM(int isSave, const QString &initialName) {
    const QList<FileFilter> filters = {
        {G().strAlboms + QStringLiteral(" (*.alb)"), QStringLiteral("*.alb")},
        {QStringLiteral("All Files (*.*)"), QStringLiteral("*.*")},
    };
    return P().dialogs->fileDialog(isSave != 0, G().AppDir, bareName(initialName), filters);
}

void LoadAlbomInfoM() {
    Globals &g = G();
    // Each album keeps the song it remembered; walking backwards lets the first
    // entry of a name win.
    QHash<QString, int> remembered;
    for (int i = g.AlbomUB(); i >= 0; --i)
        remembered.insert(g.Alboms.at(i).Name, g.Alboms.at(i).NumPesni);

    // A name the settings file cannot hold as a line is no album name (nor
    // a file name on Windows): it is left out.
    QVector<AlbomInfo> entries;
    for (const QString &name : P().fs->listFiles(g.AppDir, QStringLiteral(".alb"))) {
        if (TextLines::fitsLine(name))
            entries.append({name, remembered.value(name, 0)});
    }
    // The new album being made (New's placeholder is open) keeps its place
    // at the end of the list.
    const ListBox &list = frmForma().lstAlbomy;
    const int last = list.ListCount() - 1;
    const bool makingNew =
        g.NameAlbom.isEmpty() && last >= 0 && g.NumAlbom == last && list.List(last) == kNewAlbum;
    setAlbumList(entries);
    if (makingNew)
        appendAlbumEntry(kNewAlbum, {QString(), -1});
    letEventsIn();
}

namespace {

constexpr int keyEnter = 13;

void openPicked(const QString &wanted) {
    letEventsIn();
    if (ZaprosSaveAlbomM() == vbCancel || wanted.isEmpty())
        return;
    // Saving the changes rebuilds the list, and an album that ended while
    // this pick waited moved the selection on: the user still wants the
    // album that was clicked.
    const int idx = selectAlbumEntry(wanted);
    if (idx < 0)
        return;
    if (idx == G().NumAlbom && G().NumPesni > -1) {
        NewPlayM(G().NumPesni);
        return;
    }
    OpenAlbomM(wanted);
}

} // namespace

void lstAlbomy_DblClick() {
    const ListBox &list = frmForma().lstAlbomy;
    const QString wanted = list.ListIndex() >= 0 ? list.List(list.ListIndex()) : QString();
    runCommand([wanted] { openPicked(wanted); });
}

void lstAlbomy_KeyPress() {
    frmForma().PlayKeyDown = 2;
}

// Enter counts only when it went down in this list too: the Enter that
// started a song in the playlist must not also open an album here.
void lstAlbomy_KeyUp(int keyCode) {
    const bool enterHere = keyCode == keyEnter && frmForma().PlayKeyDown == 2;
    frmForma().PlayKeyDown = 0;
    if (enterHere)
        lstAlbomy_DblClick();
}

} // namespace tv
