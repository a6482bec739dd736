#include "core/SongPosition.h"

#include "core/Forma.h"
#include "core/Globals.h"
#include "core/SongEntry.h"
#include "core/TextLines.h"
#include "platform/Ports.h"

namespace tv {

namespace {

const QString kMarker = QStringLiteral("[position]");
constexpr int kLines = 6;
// A song this close to its end would end as soon as it resumed.
constexpr int kEndMs = 5000;

bool loaded(int state) {
    return state == MediaPlayer::Playing || state == MediaPlayer::Paused ||
           state == MediaPlayer::Transitioning;
}

// The player holds the song found where the album says or on another drive.
bool playerHolds(const QString &path) {
    const QString url = P().player->URL();
    return url.size() > 2 && url.mid(2).compare(path.mid(2), Qt::CaseInsensitive) == 0;
}

} // namespace

QByteArray SongPosition::encode() const {
    if (song < 0 || !TextLines::fitsLine(album) || !TextLines::fitsLine(entry))
        return {};
    return TextLines::encode({kMarker, album, TextLines::number(song), entry,
                              TextLines::number(positionMs), TextLines::number(lengthMs)});
}

bool SongPosition::decode(const QByteArray &bytes, SongPosition *position) {
    const QStringList lines = TextLines::decode(bytes, kLines + 1);
    SongPosition p;
    if (lines.size() != kLines || lines.at(0) != kMarker ||
        !TextLines::parseNumber(lines.at(2), &p.song) ||
        !TextLines::parseNumber(lines.at(4), &p.positionMs) ||
        !TextLines::parseNumber(lines.at(5), &p.lengthMs))
        return false;
    if (p.song < 0 || p.positionMs < 0 || p.lengthMs <= 0)
        return false;
    p.album = lines.at(1);
    p.entry = lines.at(3);
    *position = p;
    return true;
}

QString songPositionPath() {
    return G().AppDir + QString::fromUtf8("Тонвела для mp3.pos");
}

void saveSongPosition() {
    MediaPlayer *player = P().player;
    const SongList &list = frmForma().ListPath;
    SongPosition p;
    const int song = G().NumPesni;
    if (loaded(player->playState()) && song > -1 && song < list.size() &&
        playerHolds(SongEntry::split(list.at(song)).path)) {
        p.album = G().NameAlbom;
        p.song = song;
        p.entry = list.at(song);
        p.positionMs = int(qBound(0.0, player->currentPosition() * 1000, 2e9));
        p.lengthMs = int(qBound(0.0, player->duration() * 1000, 2e9));
    }
    P().fs->writeFile(songPositionPath(), p.encode());
}

void resumeSongPosition() {
    QByteArray bytes;
    SongPosition p;
    if (P().fs->readFile(songPositionPath(), &bytes, kSmallFileLimit) != FileError::None ||
        !SongPosition::decode(bytes, &p))
        return;
    const SongList &list = frmForma().ListPath;
    if (p.album != G().NameAlbom || p.song != G().NumPesni || p.song >= list.size() ||
        list.at(p.song) != p.entry || !playerHolds(SongEntry::split(p.entry).path))
        return;
    if (p.positionMs < p.lengthMs - kEndMs)
        P().player->setCurrentPosition(p.positionMs / 1000.0);
}

} // namespace tv
