#include "playback/ListAlbomModel.h"

#include "core/AlbumCommands.h"
#include "core/AlbumFormat.h"
#include "core/Forma.h"
#include "core/Globals.h"
#include "core/Turns.h"
#include "platform/Ports.h"
#include "playback/Sequence.h"

#include <QPointer>

namespace tv {

namespace {

constexpr int keyEnter = 13;
constexpr int keyEscape = 27;

// The entry of lstAlbomy that row i of the window stands for. The rows were
// copied when the window loaded; should the list have been rebuilt since,
// the album is found by its name.
int albumEntry(int i, const QString &name) {
    const ListBox &albums = frmForma().lstAlbomy;
    return albums.List(i) == name ? i : int(albums.items().indexOf(name));
}

} // namespace

ListAlbomModel::ListAlbomModel() : QObject(&frmForma()) {
    setObjectName(QStringLiteral("frmListAlbom"));
    const Forma &f = frmForma();
    m_caption = f.Label1();
    List1.setItems(f.lstAlbomy.items());
    List1.setListIndex(f.lstAlbomy.ListIndex());
}

void ListAlbomModel::List1_DblClick() {
    const int i = List1.ListIndex();
    // A double-click beside the rows picks nothing; a second pick while the
    // first one waits or runs (the window is hidden by then) is no pick either.
    if (i < 0 || m_picking || m_unloading)
        return;
    m_picking = true;
    emit hideRequested();
    runCommand(
        [self = QPointer<ListAlbomModel>(this), i, name = List1.List(i)] { pick(self, i, name); });
}

// The window may be closed while events run; the pick goes on without it.
void ListAlbomModel::pick(QPointer<ListAlbomModel> self, int i, const QString &name) {
    letEventsIn();
    // Saving the changes rebuilds the album list and may move the open
    // album's entry, so whether the pick is the open album is settled first.
    const int entry = albumEntry(i, name);
    const bool openAlbum = entry >= 0 && entry == G().NumAlbom;
    if (ZaprosSaveAlbomM() != vbCancel) {
        if (self)
            self->AlbomChosen = true;
        playChosen(name, openAlbum);
    }
    if (!self)
        return;
    letEventsIn();
    if (!self)
        return;
    self->unload();
    letEventsIn();
}

// After the end of an album NumPesni is 0, so the album that has just ended
// starts again from its first song.
void ListAlbomModel::playChosen(const QString &name, bool openAlbum) {
    if (openAlbum && G().NumPesni > -1) {
        NewPlayM(G().NumPesni);
        return;
    }
    selectAlbumEntry(name);
    OpenAlbomM(name);
}

void ListAlbomModel::List1_KeyDown() {
    m_keyDown = true;
}

// An Enter the user pressed in another window just as this one came up must
// not pick the album that happens to be selected.
void ListAlbomModel::List1_KeyUp(int keyCode) {
    const bool here = m_keyDown;
    m_keyDown = false;
    if (!here || m_picking)
        return;
    if (keyCode == keyEnter && List1.ListIndex() >= 0) {
        List1_DblClick();
    } else if (keyCode == keyEscape) {
        QPointer<ListAlbomModel> self(this);
        List1.Clear();
        unload();
        if (self)
            letEventsIn();
    }
}

void ListAlbomModel::unload() {
    if (m_unloading)
        return;
    m_unloading = true;
    QPointer<ListAlbomModel> self(this);
    Form_QueryUnload();
    if (!self)
        return;
    // From here on a new end of an album may show a new window.
    setParent(nullptr);
    emit unloadRequested();
}

// Closed without a pick: the player stays as it is, stopped after the end of
// an album. A player with nothing loaded gets the current song back, and with
// no song at all the hidden main window is the way on.
void ListAlbomModel::Form_QueryUnload() {
    if (AlbomChosen)
        return;
    if (G().NumPesni != -1) {
        if (P().player->playState() == MediaPlayer::Undefined)
            NewPlayM(G().NumPesni);
        return;
    }
    if (G().ShowForm)
        return;
    QPointer<ListAlbomModel> self(this);
    emit hideRequested();
    letEventsIn();
    if (self)
        showForma(true);
}

ListAlbomModel *frmListAlbom() {
    return frmForma().findChild<ListAlbomModel *>(QString(), Qt::FindDirectChildrenOnly);
}

void frmListAlbom_Show() {
    if (frmListAlbom())
        return;
    P().windows->showListAlbom();
}

// The user asks for the albums from the tray: the main window comes back
// with the keys going to its album list.
void pMenuListAlbom_Click() {
    runCommand([] {
        showForma(true);
        letEventsIn();
        frmForma().activate();
        frmForma().setFocusTo(Forma::Control::lstAlbomy);
    });
}

} // namespace tv
