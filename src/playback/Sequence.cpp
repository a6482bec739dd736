#include "playback/Sequence.h"

#include "core/AlbumCommands.h"
#include "core/AlbumFormat.h"
#include "core/AlbumList.h"
#include "core/Forma.h"
#include "core/Globals.h"
#include "core/Turns.h"
#include "platform/Dialogs.h"
#include "platform/Ports.h"
#include "playback/ListAlbomModel.h"
#include "playback/PlayerCommands.h"
#include "playback/Tray.h"

#include <utility>

namespace tv {

namespace {

bool existsAt(const QString &path) {
    return P().fs->fileExists(path);
}

bool hasDriveLetter(const QString &path) {
    if (path.size() < 2 || path.at(1) != QLatin1Char(':'))
        return false;
    const char16_t letter = path.at(0).toUpper().unicode();
    return letter >= u'A' && letter <= u'Z';
}

} // namespace

// The first drive of the list is never tried: on Windows it is the floppy
// drive, and probing it stalls the player. A path without a drive letter (a
// hand-edited album) has no drive to swap.
QString songFile(const QString &path) {
    if (existsAt(path))
        return path;
    if (!hasDriveLetter(path))
        return {};
    const QString rest = path.mid(2);
    const QStringList drives = P().fs->drives();
    for (int i = 1; i < drives.size(); ++i) {
        const QString candidate = drives.at(i).left(2) + rest;
        if (existsAt(candidate))
            return candidate;
    }
    return {};
}

namespace {

void reportMissing(const QString &path) {
    // The message needs a visible owner, also while the window sits in the tray.
    showForma(true);
    P().dialogs->MsgBox(path + QStringLiteral("\r\n") + G().strNotFound, vbOKOnly | vbCritical,
                        G().strTitle);
}

// Whether the song at index is still where it was: the album stays (album
// commands wait), but an edit let in while the player loads may have moved
// or removed the song.
bool stillCurrent(int index, const QString &entry, const QString &path) {
    const SongList &list = frmForma().ListPath;
    return index < list.size() && list.at(index) == entry && P().player->URL() == path;
}

// Returns false when a command let in meanwhile took the player over: that
// command's song is the one that plays and is recorded. A Stop let in
// meanwhile leaves this song loaded, rewound and recorded, but not playing.
bool handToPlayer(int index, QString entry, QString path) {
    // A song the user starts just after another one ended supersedes that
    // end: the pending tick would otherwise skip past the chosen song. A file
    // the player then fails on re-arms the timer by its own stop report.
    frmForma().tmrEndSound.stop();
    playerTurn().stoppedByUser = false;
    forgetNextSong();
    P().player->pause();
    P().player->setURL(path);
    letEventsIn();
    if (!stillCurrent(index, entry, path))
        return false;
    if (!playerTurn().stoppedByUser)
        P().player->play();
    // A stop reported while the file was set up was the file before it, or
    // this one on its way: only a player still stopped now has given up on it.
    if (P().player->playState() != MediaPlayer::Stopped)
        frmForma().tmrEndSound.stop();
    return true;
}

} // namespace

void showStarted(int index) {
    G().NumPesni = index;
    rememberSong(G().NumAlbom, index);
    Forma &f = frmForma();
    const QString title = f.PlayList.List(index);
    f.drawNazvanie(title);
    f.PlayList.setListIndex(index);
    TrayTip(title + QStringLiteral(" - ") + G().NameAlbom);
}

namespace {

void startSong(int index) {
    const SongList &list = frmForma().ListPath;
    // An index past the end (songs removed behind the current one) has no file.
    if (index < 0 || index >= list.size())
        return;
    const QString stored = songPath(list.at(index));
    const QString path = songFile(stored);
    if (path.isEmpty()) {
        reportMissing(stored);
        return;
    }
    if (handToPlayer(index, list.at(index), path))
        showStarted(index);
}

} // namespace

void NewPlayM(int index) {
    if (playerTurn().starting) {
        playerTurn().waiting = index;
        return;
    }
    // The album stays while the player loads: album commands that arrive
    // meanwhile run once the start is done.
    const CommandsHeld albumStays;
    playerTurn().starting = true;
    startSong(index);
    while (const auto next = std::exchange(playerTurn().waiting, std::nullopt))
        startSong(*next);
    playerTurn().starting = false;
}

void tmrEndSound_Timer() {
    frmForma().tmrEndSound.stop();
    EndTimeM();
}

namespace {

// Going on to another album waits for a command still running (a dialog may
// be up over the album that ends); songs inside an album do not.
void endOfAlbum() {
    Forma &f = frmForma();
    // An album opened while this waited has not ended.
    if (G().NumPesni == -1 || G().NumPesni + 1 < f.PlayList.ListCount())
        return;
    // Played again later, this album starts from its first song.
    G().NumPesni = 0;
    rememberSong(G().NumAlbom, 0);
    if (G().AlbomUB() == 0 || f.MusicNonStop.Checked()) {
        NextAlbomM();
    } else if (G().ShowForm) {
        NextAlbomM();
        f.setFocusTo(Forma::Control::lstAlbomy);
    } else {
        // Hidden in the tray and not told to go on: let the user pick. A
        // Next from the remote reaches here with the last song still
        // playing; it stops as if it had ended.
        MusicStop_Click();
        frmListAlbom_Show();
    }
}

} // namespace

void EndTimeM() {
    if (G().NumPesni == -1)
        return;
    const int count = frmForma().PlayList.ListCount();
    if (count == 0)
        return;
    // Songs removed behind the current one leave NumPesni past the end; that
    // album is over as well.
    if (G().NumPesni + 1 < count) {
        G().NumPesni = G().NumPesni + 1;
        NewPlayM(G().NumPesni);
        return;
    }
    runCommand(endOfAlbum, Waiting::LatestOnly);
}

void MediaPlayer1_PlayStateChange(int newState) {
    Forma &f = frmForma();
    // Stopped is the end of a song - or a file the player could not decode,
    // which must move on the same way rather than stall the album. Not so
    // after the user's Stop: a file still loading may pass through "stopped"
    // on its way to the pause.
    PlayerTurn &turn = playerTurn();
    if (newState == MediaPlayer::Playing)
        turn.stoppedByUser = false;
    if (newState == MediaPlayer::Stopped && !turn.stoppedByUser)
        f.tmrEndSound.start();
    const bool playing = P().player->playState() == MediaPlayer::Playing;
    f.setPictureButtons({!playing, playing}, {playing, !playing});
}

void connectPlayback() {
    // A second call replaces the connections instead of doubling them.
    Forma &f = frmForma();
    QObject *context = f.renewPlaybackLinks();
    QObject::connect(P().player, &MediaPlayer::PlayStateChange, context,
                     &MediaPlayer1_PlayStateChange);
    QObject::connect(&f.tmrEndSound, &QTimer::timeout, context, &tmrEndSound_Timer);
    connectNextSong(context);
}

void NextAlbomM() {
    Forma &f = frmForma();
    const int selected = f.lstAlbomy.ListIndex();
    if (selected == -1) {
        // No album to go on from: hand over to the user, with nothing playing
        // (a Next from the remote comes here with the last song still on).
        MusicStop_Click();
        showForma(true);
        f.activate();
        return;
    }
    int next = selected + 1;
    if (next >= f.lstAlbomy.ListCount())
        next = 0;
    if (next == G().NumAlbom && G().NumPesni > -1) {
        f.lstAlbomy.setListIndex(next);
        NewPlayM(G().NumPesni);
        return;
    }
    // The album's changes are not lost by going on. Cancel stays on it, with
    // nothing playing; saving rebuilds the list, so the next album is found
    // by its name.
    const QString name = f.lstAlbomy.List(next);
    if (ZaprosSaveAlbomM() == vbCancel) {
        MusicStop_Click();
        return;
    }
    selectAlbumEntry(name);
    OpenAlbomM(name);
}

// The option lives in the main menu's tick; the tray menu shows the same.
void MusicNonStop_Click() {
    Forma &f = frmForma();
    f.MusicNonStop.setChecked(!f.MusicNonStop.Checked());
    f.pMenuNonStop.setChecked(f.MusicNonStop.Checked());
}

void pMenuNonStop_Click() {
    MusicNonStop_Click();
}

namespace {

// Whether the prepared song is still the one after the current song. Another
// album opened either starts a song of its own, which forgets the prepared
// one, or changes the list under it.
bool stillNext(const NextSong::Prepared &p) {
    const SongList &list = frmForma().ListPath;
    return p.index == G().NumPesni + 1 && p.index < list.size() && list.at(p.index) == p.entry;
}

void checkNextSong() {
    const auto &p = nextSong().prepared;
    if (p && !p->dropped && !stillNext(*p))
        dropNextSong();
}

} // namespace

// Kept with the main window, so that a fresh window starts with none.
NextSong &nextSong() {
    Forma &f = frmForma();
    auto *next = f.findChild<NextSong *>(QString(), Qt::FindDirectChildrenOnly);
    return next ? *next : *new NextSong(&f);
}

void prepareNextSong() {
    dropNextSong();
    const PlayerTurn &turn = playerTurn();
    if (turn.starting || turn.stoppedByUser || P().player->playState() != MediaPlayer::Playing)
        return;
    const SongList &list = frmForma().ListPath;
    const int index = G().NumPesni + 1;
    if (G().NumPesni < 0 || index >= list.size())
        return;
    const QString path = songFile(songPath(list.at(index)));
    if (path.isEmpty())
        return; // its message comes when it is started as any song
    nextSong().prepared = NextSong::Prepared{index, list.at(index)};
    P().player->setNextURL(path);
}

void dropNextSong() {
    auto &p = nextSong().prepared;
    if (!p || std::exchange(p->dropped, true))
        return;
    P().player->setNextURL(QString());
}

void forgetNextSong() {
    dropNextSong();
    nextSong().prepared.reset();
}

void nextSongStarted() {
    const auto p = std::exchange(nextSong().prepared, std::nullopt);
    // One given up too late to be held back plays all the same: it is shown
    // where it stands now, if the open album still holds it.
    if (!p)
        return;
    const SongList &list = frmForma().ListPath;
    const int index = p->index < list.size() && list.at(p->index) == p->entry
                          ? p->index
                          : int(list.indexOf(p->entry));
    if (index >= 0)
        showStarted(index);
}

void connectNextSong(QObject *context) {
    Forma &f = frmForma();
    QObject::connect(P().player, &MediaPlayer::aboutToFinish, context, &prepareNextSong);
    QObject::connect(P().player, &MediaPlayer::nextStarted, context, &nextSongStarted);
    ListModel *list = &f.PlayList;
    QObject::connect(list, &QAbstractItemModel::modelReset, context, &checkNextSong);
    QObject::connect(list, &QAbstractItemModel::rowsInserted, context, &checkNextSong);
    QObject::connect(list, &QAbstractItemModel::rowsRemoved, context, &checkNextSong);
    QObject::connect(list, &QAbstractItemModel::rowsMoved, context, &checkNextSong);
    QObject::connect(list, &QAbstractItemModel::dataChanged, context, &checkNextSong);
    QObject::connect(list, &QAbstractItemModel::layoutChanged, context, &checkNextSong);
}

// Kept with the main window, so that a fresh window starts with a free player.
PlayerTurn &playerTurn() {
    Forma &f = frmForma();
    auto *turn = f.findChild<PlayerTurn *>(QString(), Qt::FindDirectChildrenOnly);
    return turn ? *turn : *new PlayerTurn(&f);
}

} // namespace tv
