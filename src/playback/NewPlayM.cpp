#include "playback/NewPlayM.h"

#include "core/AlbumList.h"
#include "core/Forma.h"
#include "core/Globals.h"
#include "core/ShowForma.h"
#include "core/SongEntry.h"
#include "core/Turns.h"
#include "platform/Ports.h"
#include "playback/NextSong.h"
#include "playback/PlayerTurn.h"
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

} // namespace tv
