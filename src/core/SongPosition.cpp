#include "core/SongPosition.h"

#include "core/Forma.h"
#include "core/Globals.h"
#include "core/SongEntry.h"
#include "core/TextLines.h"
#include "platform/Ports.h"
#include "playback/Sequencing.h"

#include <QObject>
#include <QSet>
#include <QTimer>
#include <algorithm>

namespace tv {

namespace {

const QString kMarker = QStringLiteral("[positions]");
// The file of earlier versions: the one song playing at the end of a run, in
// six lines. Read still, so that an update goes on where the last run stopped.
const QString kOneMarker = QStringLiteral("[position]");
constexpr int kOneLines = 6;
const QChar kTab = QLatin1Char('\t');
// More albums than any folder holds; a file with more lines is read no further.
constexpr int kMaxAlbums = 100000;
// A song this close to its end would end as soon as it resumed.
constexpr int kEndMs = 5000;

// The albums' positions of this run, kept with the main window so that a
// fresh window starts with none.
// Found by its name: a class without a meta-object of its own is no type
// that findChild can tell apart.
class SongPositions : public QObject {
public:
    explicit SongPositions(QObject *parent) : QObject(parent) { setObjectName(kName); }
    static inline const QString kName = QStringLiteral("songPositions");
    QList<SongPosition> list;
};

QList<SongPosition> &positions() {
    Forma &f = frmForma();
    auto *kept = dynamic_cast<SongPositions *>(
        f.findChild<QObject *>(SongPositions::kName, Qt::FindDirectChildrenOnly));
    return (kept ? kept : new SongPositions(&f))->list;
}

void forget(const QString &album) {
    QList<SongPosition> &all = positions();
    all.removeIf([&](const SongPosition &p) { return p.album == album; });
}

bool loaded(int state) {
    return state == MediaPlayer::Playing || state == MediaPlayer::Paused ||
           state == MediaPlayer::Transitioning;
}

// The player holds the song found where the album says or on another drive.
bool playerHolds(const QString &path) {
    const QString url = P().player->URL();
    return url.size() > 2 && url.mid(2).compare(path.mid(2), Qt::CaseInsensitive) == 0;
}

bool parseLine(const QString &line, SongPosition *p) {
    const QStringList parts = line.split(kTab);
    if (parts.size() != 5 || parts.at(0).isEmpty() ||
        !TextLines::parseNumber(parts.at(1), &p->song) ||
        !TextLines::parseNumber(parts.at(2), &p->positionMs) ||
        !TextLines::parseNumber(parts.at(3), &p->lengthMs))
        return false;
    p->album = parts.at(0);
    p->entry = parts.at(4);
    return p->song >= 0 && p->positionMs >= 0 && p->lengthMs > 0 && p->fits();
}

// The song the open album stands at, as the player holds it.
bool currentPlace(SongPosition *p) {
    MediaPlayer *player = P().player;
    const SongList &list = frmForma().ListPath;
    const int song = G().NumPesni;
    if (G().NameAlbom.isEmpty() || !loaded(player->playState()) || song < 0 ||
        song >= list.size() || !playerHolds(SongEntry::split(list.at(song)).path))
        return false;
    p->album = G().NameAlbom;
    p->song = song;
    p->entry = list.at(song);
    p->positionMs = int(qBound(0.0, player->currentPosition() * 1000, 2e9));
    p->lengthMs = int(qBound(0.0, player->duration() * 1000, 2e9));
    return p->lengthMs > 0 && p->fits();
}

bool albumListed(const QString &album) {
    for (const AlbomInfo &info : G().Alboms)
        if (info.Name == album)
            return true;
    return false;
}

// Left in its last seconds, the song ends as it would have; a moment later,
// unless something else was started meanwhile.
void endSoon() {
    const int song = G().NumPesni;
    QTimer::singleShot(0, &frmForma(),
                       [album = G().NameAlbom, song, entry = frmForma().ListPath.at(song)] {
                           const SongList &list = frmForma().ListPath;
                           if (album == G().NameAlbom && song == G().NumPesni &&
                               song < list.size() && list.at(song) == entry)
                               EndTimeM();
                       });
}

} // namespace

bool SongPosition::decodeOne(const QStringList &lines, QList<SongPosition> *positions) {
    SongPosition p;
    if (lines.size() != kOneLines || !TextLines::parseNumber(lines.at(2), &p.song) ||
        !TextLines::parseNumber(lines.at(4), &p.positionMs) ||
        !TextLines::parseNumber(lines.at(5), &p.lengthMs))
        return false;
    p.album = lines.at(1);
    p.entry = lines.at(3);
    if (p.album.isEmpty() || p.song < 0 || p.positionMs < 0 || p.lengthMs <= 0 || !p.fits())
        return false;
    *positions = {p};
    return true;
}

bool SongPosition::fits() const {
    return TextLines::fitsLine(album) && TextLines::fitsLine(entry);
}

QByteArray SongPosition::encode(const QList<SongPosition> &positions) {
    QStringList lines{kMarker};
    for (const SongPosition &p : positions)
        if (p.song >= 0 && !p.album.isEmpty() && p.fits())
            lines << p.album + kTab + QString::number(p.song) + kTab +
                         QString::number(p.positionMs) + kTab + QString::number(p.lengthMs) + kTab +
                         p.entry;
    return TextLines::encode(lines);
}

bool SongPosition::decode(const QByteArray &bytes, QList<SongPosition> *positions) {
    const QStringList lines = TextLines::decode(bytes, kMaxAlbums + 1);
    if (!lines.isEmpty() && lines.at(0) == kOneMarker)
        return decodeOne(lines, positions);
    if (lines.isEmpty() || lines.at(0) != kMarker)
        return false;
    positions->clear();
    QSet<QString> albums;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        SongPosition p;
        if (parseLine(lines.at(i), &p) && !albums.contains(p.album)) {
            albums.insert(p.album);
            positions->append(p);
        }
    }
    return true;
}

QString songPositionPath() {
    return G().AppDir + QString::fromUtf8("Тонвела для mp3.pos");
}

void readSongPositions() {
    QByteArray bytes;
    QList<SongPosition> read;
    if (P().fs->readFile(songPositionPath(), &bytes, kSmallFileLimit) == FileError::None &&
        SongPosition::decode(bytes, &read))
        positions() = read;
}

void saveSongPosition() {
    leaveAlbumPosition();
    positions().removeIf([](const SongPosition &p) { return !albumListed(p.album); });
    P().fs->writeFile(songPositionPath(), SongPosition::encode(positions()));
}

void leaveAlbumPosition() {
    if (G().NameAlbom.isEmpty())
        return;
    forget(G().NameAlbom);
    SongPosition p;
    if (currentPlace(&p))
        positions().append(p);
}

void resumeAlbumPosition() {
    const QString album = G().NameAlbom;
    const QList<SongPosition> &all = positions();
    const auto at = std::find_if(all.begin(), all.end(),
                                 [&](const SongPosition &p) { return p.album == album; });
    if (at == all.end())
        return;
    const SongPosition p = *at;
    forget(album);
    const SongList &list = frmForma().ListPath;
    if (p.song != G().NumPesni || p.song >= list.size() || list.at(p.song) != p.entry ||
        !playerHolds(SongEntry::split(p.entry).path))
        return;
    if (p.positionMs < p.lengthMs - kEndMs)
        P().player->setCurrentPosition(p.positionMs / 1000.0);
    else
        endSoon();
}

void albumSavedAs(const QString &name) {
    if (name != G().NameAlbom)
        forget(name);
}

} // namespace tv
