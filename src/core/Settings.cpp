#include "core/Settings.h"

#include "core/AlbumFormat.h"
#include "core/Forma.h"
#include "core/Globals.h"
#include "core/TextLines.h"
#include "platform/Ports.h"
#include "playback/Sequence.h"

#include <QObject>
#include <QSet>
#include <QStringList>
#include <QTimer>
#include <algorithm>

namespace tv {

namespace {

const QString kLanguage = QStringLiteral("[language]");
const QString kAlbom = QStringLiteral("[albom]");
const QString kShowForm = QStringLiteral("[showform]");
const QString kMusicNonStop = QStringLiteral("[musicnonstop]");
const QString kNameEndAlbom = QStringLiteral("[nameendalbom]");
const QString kNamePesni = QStringLiteral("[namepesni]");
const QString kStrDir = QStringLiteral("[strDir]");

bool isMarker(const QString &line) {
    return line == kLanguage || line == kAlbom || line == kShowForm || line == kMusicNonStop ||
           line == kNameEndAlbom || line == kNamePesni || line == kStrDir;
}

QString flag(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

// The lines of the file and how far they have been read. Values are taken
// whole, so commas, blanks and quotes in names come back as they were.
class Reader {
public:
    explicit Reader(QStringList lines) : m_lines(std::move(lines)) {}

    bool atEnd() const { return m_pos >= m_lines.size(); }
    QString peek() const { return m_lines.at(m_pos); }

    std::optional<QString> text() {
        if (atEnd())
            return std::nullopt;
        return m_lines.at(m_pos++);
    }

    // A line without a number is consumed and gives nothing.
    std::optional<int> number() {
        int value = 0;
        const std::optional<QString> line = text();
        if (line && TextLines::parseNumber(*line, &value))
            return value;
        return std::nullopt;
    }

    std::optional<bool> flagLine() {
        const std::optional<QString> line = text();
        if (!line)
            return std::nullopt;
        return *line == QLatin1String("True");
    }

private:
    QStringList m_lines;
    qsizetype m_pos = 0;
};

// A marker can never be an album file name (those end in ".alb"), so it
// means the entries stopped short of their count. The count itself is not
// trusted with memory: entries are kept as they are actually found.
std::optional<QVector<AlbomInfo>> readAlboms(Reader &in) {
    const std::optional<int> ub = in.number();
    if (!ub)
        return std::nullopt;
    QVector<AlbomInfo> alboms;
    for (int i = 0; i <= *ub && !in.atEnd() && !isMarker(in.peek()); ++i) {
        AlbomInfo entry;
        entry.Name = *in.text();
        if (!in.atEnd() && !isMarker(in.peek()))
            entry.NumPesni = in.number().value_or(entry.NumPesni);
        alboms.append(entry);
    }
    return alboms;
}

// A section met again overrides what it gave before; a value line that
// gives nothing keeps it.
template <class T> void take(std::optional<T> &field, std::optional<T> value) {
    if (value)
        field = std::move(value);
}

void readSection(const QString &key, Reader &in, Settings &s) {
    if (key == kLanguage) {
        if (const std::optional<int> language = in.number())
            s.Language = *language == 1 ? 1 : 0;
    } else if (key == kAlbom) {
        take(s.Alboms, readAlboms(in));
    } else if (key == kShowForm) {
        take(s.ShowForm, in.flagLine());
    } else if (key == kMusicNonStop) {
        take(s.MusicNonStop, in.flagLine());
    } else if (key == kNameEndAlbom) {
        take(s.NameEndAlbom, in.text());
    } else if (key == kNamePesni) {
        take(s.NamePesni, in.number());
    } else if (key == kStrDir) {
        take(s.strDir, in.text());
    }
}

QString lineOf(const std::optional<QString> &text) {
    return text && TextLines::fitsLine(*text) ? *text : QString();
}

void appendAlboms(QStringList &lines, const QVector<AlbomInfo> &alboms) {
    QStringList entries;
    for (const AlbomInfo &albom : alboms) {
        if (TextLines::fitsLine(albom.Name))
            entries << albom.Name << TextLines::number(albom.NumPesni);
    }
    lines << TextLines::number(int(entries.size() / 2) - 1) << entries;
}

} // namespace

bool Settings::operator==(const Settings &other) const {
    const auto sameAlboms = [](const QVector<AlbomInfo> &a, const QVector<AlbomInfo> &b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                          [](const AlbomInfo &x, const AlbomInfo &y) {
                              return x.Name == y.Name && x.NumPesni == y.NumPesni;
                          });
    };
    return Language == other.Language && ShowForm == other.ShowForm &&
           MusicNonStop == other.MusicNonStop && NameEndAlbom == other.NameEndAlbom &&
           NamePesni == other.NamePesni && strDir == other.strDir &&
           Alboms.has_value() == other.Alboms.has_value() &&
           (!Alboms || sameAlboms(*Alboms, *other.Alboms));
}

Settings SettingsFormat::parse(const QByteArray &bytes) {
    Settings settings;
    Reader in(TextLines::decode(bytes));
    while (const std::optional<QString> key = in.text())
        readSection(*key, in, settings);
    return settings;
}

QByteArray SettingsFormat::format(const Settings &s) {
    QStringList lines;
    lines << kLanguage << TextLines::number(s.Language.value_or(0));
    lines << kAlbom;
    appendAlboms(lines, s.Alboms.value_or(QVector<AlbomInfo>()));
    lines << kShowForm << flag(s.ShowForm.value_or(true));
    lines << kMusicNonStop << flag(s.MusicNonStop.value_or(false));
    lines << kNameEndAlbom << lineOf(s.NameEndAlbom);
    lines << kNamePesni << TextLines::number(s.NamePesni.value_or(0));
    lines << kStrDir << lineOf(s.strDir);
    return TextLines::encode(lines);
}

const char *const kSettingsFileName = "Тонвела для mp3.ini";

void applySettings(const Settings &s) {
    Globals &g = G();
    g.Language = s.Language.value_or(g.Language);
    if (s.Alboms)
        g.Alboms = *s.Alboms;
    g.ShowForm = s.ShowForm.value_or(g.ShowForm);
    if (s.MusicNonStop) {
        frmForma().MusicNonStop.setChecked(*s.MusicNonStop);
        frmForma().pMenuNonStop.setChecked(*s.MusicNonStop);
    }
    g.NameEndAlbom = s.NameEndAlbom.value_or(g.NameEndAlbom);
    g.NamePesni = s.NamePesni.value_or(g.NamePesni);
    g.strDir = s.strDir.value_or(g.strDir);
}

// Never more entries than the registry holds. A folder that the file could
// not hold is remembered as the program's own.
Settings currentSettings() {
    const Globals &g = G();
    Settings s;
    s.Language = g.Language;
    s.Alboms = g.Alboms;
    s.ShowForm = g.ShowForm;
    s.MusicNonStop = frmForma().MusicNonStop.Checked();
    s.NameEndAlbom = g.NameEndAlbom;
    s.NamePesni = g.NamePesni;
    s.strDir = TextLines::fitsLine(g.strDir) ? g.strDir : g.AppDir;
    return s;
}

void readSettings(const QByteArray &bytes) {
    applySettings(SettingsFormat::parse(bytes));
}

QByteArray writeSettings() {
    return SettingsFormat::format(currentSettings());
}

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
