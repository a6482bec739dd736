#include "playback/NextSong.h"

#include "core/Forma.h"
#include "core/Globals.h"
#include "core/SongEntry.h"
#include "platform/Ports.h"
#include "playback/NewPlayM.h"
#include "playback/PlayerTurn.h"

namespace tv {

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

} // namespace tv
