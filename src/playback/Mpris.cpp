#include "playback/Mpris.h"

#include "core/AlbumFormat.h"
#include "core/Forma.h"
#include "core/Globals.h"
#include "editing/DropFiles.h"
#include "editing/Tags.h"
#include "platform/Ports.h"
#include "playback/PlayerCommands.h"
#include "playback/Sequence.h"
#include "playback/Tray.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace tv {

namespace {

constexpr double kMicro = 1e6;

bool isPlaying() {
    return mprisPlaybackStatus() == QLatin1String("Playing");
}

bool canSeek() {
    return mprisPlayerProperties().value("CanSeek").toBool();
}

// The lettered path of a file:// address of this machine ("file://localhost/"
// is this machine too), "." and ".." resolved, a name's bytes that are not
// UTF-8 kept; empty for any other address.
QString letteredOf(const QString &uri) {
    QUrl url(uri, QUrl::StrictMode);
    if (!url.isLocalFile())
        return {};
    if (url.host().compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0)
        url.setHost(QString());
    const QString path = url.host().isEmpty() ? QDir::cleanPath(url.toLocalFile()) : QString();
    if (!QDir::isAbsolutePath(path))
        return {};
    const QByteArray bytes =
        QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
    if (QString::fromUtf8(bytes).toUtf8() == bytes)
        return P().fs->fromNative(path);
    // Byte for byte: "/", "." and ".." are the same in Latin-1.
    return P().fs->fromNativeBytes(QDir::cleanPath(QString::fromLatin1(bytes)).toLatin1());
}

} // namespace

Mpris::Mpris() {
    follow();
    m_told[Root] = mprisRootProperties();
    m_told[Player] = mprisPlayerProperties(&m_look);
    if (P().bus->publish(this))
        m_bus = P().bus;
}

Mpris::~Mpris() {
    if (m_bus)
        m_bus->withdraw();
}

// Everything the properties are read from tells of its changes here: the
// player, a song start (the title panel is drawn), the caption (the language
// and the album's name), the playlist and its selection, the end-of-song tick.
void Mpris::follow() {
    if (MediaPlayer *player = P().player) {
        connect(player, &MediaPlayer::PlayStateChange, this, &Mpris::refreshSoon);
        connect(player, &MediaPlayer::volumeChanged, this, &Mpris::refreshSoon);
        connect(player, &MediaPlayer::durationChanged, this, &Mpris::refreshSoon);
        connect(player, &MediaPlayer::seeked, this, [this](double seconds) {
            if (m_bus)
                m_bus->seeked(qint64(seconds * kMicro));
        });
    }
    Forma &f = frmForma();
    connect(&f, &Forma::nazvanieChanged, this, &Mpris::refreshSoon);
    connect(&f, &Forma::captionChanged, this, &Mpris::refreshSoon);
    connect(&f.tmrEndSound, &QTimer::timeout, this, &Mpris::refreshSoon);
    connect(&f.PlayList, &ListModel::listIndexChanged, this, &Mpris::refreshSoon);
    connect(&f.PlayList, &QAbstractItemModel::modelReset, this, &Mpris::refreshSoon);
    connect(&f.PlayList, &QAbstractItemModel::rowsInserted, this, &Mpris::refreshSoon);
    connect(&f.PlayList, &QAbstractItemModel::rowsRemoved, this, &Mpris::refreshSoon);
}

// A song start passes through a pause and a file being loaded; the remote
// hears where the changes of one moment end up, not every step on the way.
void Mpris::refreshSoon() {
    if (m_refreshing)
        return;
    m_refreshing = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_refreshing = false;
            refresh();
        },
        Qt::QueuedConnection);
}

void Mpris::refresh() {
    for (const Interface which : {Root, Player}) {
        const QVariantMap now = properties(which);
        QVariantMap changed;
        for (auto it = now.cbegin(); it != now.cend(); ++it) {
            if (m_told[which].value(it.key()) != it.value())
                changed.insert(it.key(), it.value());
        }
        m_told[which] = now;
        if (m_bus && !changed.isEmpty())
            m_bus->propertiesChanged(which, changed);
    }
}

void Mpris::setVolume(double volume) {
    P().player->setVolume(qBound(0.0, volume, 1.0));
}

// As the tray's double-click; a window already shown comes to the front.
void Mpris::Raise() {
    if (!G().ShowForm)
        TrayMouse(WM_LBUTTONDBLCLK);
    else
        frmForma().activate();
}

// The close request: a changed album is offered for saving first.
void Mpris::Quit() {
    frmForma().unload();
}

// Unlike the Music menu's Play, Play while playing leaves the song alone: the
// remote shows no selected row that the user might mean instead.
void Mpris::Play() {
    if (!isPlaying())
        MusicPlay_Click();
}

void Mpris::Pause() {
    MusicPausa_Click();
}

void Mpris::PlayPause() {
    if (isPlaying())
        Pause();
    else
        Play();
}

void Mpris::Stop() {
    MusicStop_Click();
}

// As the end of a song: at the album's end the next album by the same rules.
void Mpris::Next() {
    EndTimeM();
}

void Mpris::Previous() {
    // Songs removed behind the current one leave it past the end.
    const int current = qMin(G().NumPesni, frmForma().PlayList.ListCount());
    if (current > 0)
        NewPlayM(current - 1);
}

void Mpris::Seek(qint64 offset) {
    if (!canSeek())
        return;
    MediaPlayer *player = P().player;
    const double target = player->currentPosition() + offset / kMicro;
    // While the length is not known yet no seek can pass the end.
    if (player->duration() > 0 && target >= player->duration()) {
        Next();
        return;
    }
    player->setCurrentPosition(qMax(0.0, target));
}

// A request for another song than the current one is stale and dropped.
void Mpris::SetPosition(const QString &trackId, qint64 position) {
    if (!canSeek() || trackId != mprisMetadata().value("mpris:trackid").toString())
        return;
    const double length = P().player->duration();
    if (position < 0 || (length > 0 && position > length * kMicro))
        return;
    P().player->setCurrentPosition(position / kMicro);
}

// As a file given on the command line; the program reaches no other address.
void Mpris::OpenUri(const QString &uri) {
    const QString path = letteredOf(uri);
    if (path.isEmpty())
        OpenPathsM({}, {uri});
    else
        OpenPathsM({path});
}

bool Mpris::opens(const QString &uri) const {
    const QString path = letteredOf(uri);
    return !path.isEmpty() && opensPath(path);
}

namespace {

int playState() {
    return P().player ? P().player->playState() : MediaPlayer::Undefined;
}

// A file being loaded is on its way to playing: NewPlayM hands every song over
// that way, and showing "stopped" for that moment would flicker the panels.
bool playing() {
    const int state = playState();
    return state == MediaPlayer::Playing || state == MediaPlayer::Transitioning;
}

// The current song exists in the open album.
bool hasSong() {
    return G().NumPesni > -1 && G().NumPesni < frmForma().ListPath.size();
}

// Play resumes a loaded file, or starts the selected row as the Music menu does.
bool canPlay() {
    return playState() != MediaPlayer::Undefined || frmForma().PlayList.ListIndex() > -1;
}

// A character as the desktop shows it: a name's stand-in (U+F000 plus the
// code of what a lettered path cannot hold) as the character it stands for;
// what cannot be shown (a control character, a byte of another code page)
// as a space.
QChar shownChar(QChar c) {
    const bool standIn = (c.unicode() & 0xFF00) == 0xF000;
    const QChar meant = standIn ? QChar(char16_t(c.unicode() & 0xFF)) : c;
    const bool shown =
        meant.category() != QChar::Other_Control && !(standIn && meant.unicode() >= 0x80);
    return shown ? meant : QLatin1Char(' ');
}

// A title as the desktop shows it: each character as above, one of the
// private block a name held as it is (after U+F000), which no font shows, as
// a space, and runs of spaces as one.
QString shownTitle(const QString &title) {
    QString out;
    out.reserve(title.size());
    for (qsizetype i = 0; i < title.size(); ++i) {
        if (title.at(i) == QChar(0xF000) && i + 1 < title.size()) {
            ++i;
            out += QLatin1Char(' ');
        } else {
            out += shownChar(title.at(i));
        }
    }
    return out.simplified();
}

QString albumTitle() {
    QString name = QFileInfo(QString(G().NameAlbom).replace('\\', '/')).fileName();
    if (name.endsWith(QStringLiteral(".alb"), Qt::CaseInsensitive))
        name.chop(4);
    return name;
}

// Where the song is played from: the player's file when it is this song found
// on another drive, else the path the album holds.
QString playedFile(const QString &stored) {
    const QString played = P().player ? P().player->URL() : QString();
    if (played.size() > 2 && played.mid(2).compare(stored.mid(2), Qt::CaseInsensitive) == 0)
        return played;
    return stored;
}

QString fileAddress(const QString &lettered) {
    const QString native = P().fs ? P().fs->toNative(lettered) : QString();
    if (native.isEmpty())
        return {};
    return QString::fromLatin1(QUrl::fromLocalFile(native).toEncoded());
}

// A cover larger than this is left out (and so is the rest of its tag).
constexpr qint64 kCoverBytes = 8 << 20;

// The tags are read when the song played is another file than last time.
const SongLook &lookOf(const QString &file, SongLook *look) {
    if (look->file == file || !P().fs)
        return *look;
    const SongTags tags = readSongTags(file, kCoverBytes);
    *look = {file, tags.texts.artist, tags.texts.title, QString()};
    if (!tags.cover.isEmpty() && P().bus)
        look->artUrl = P().bus->coverAddress(tags.cover);
    return *look;
}

} // namespace

QString mprisPlaybackStatus() {
    if (playing())
        return QStringLiteral("Playing");
    // Stop is a pause at the start of the song as far as the player knows.
    if (playState() == MediaPlayer::Paused && !playerTurn().stoppedByUser)
        return QStringLiteral("Paused");
    return QStringLiteral("Stopped");
}

QVariantMap mprisMetadata(SongLook *look) {
    if (!hasSong())
        return {{"mpris:trackid", QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack")}};
    const SongEntry song = SongEntry::split(frmForma().ListPath.at(G().NumPesni));
    const QString file = playedFile(song.path);
    QVariantMap m{
        {"mpris:trackid", QStringLiteral("/org/tonvela/song/%1").arg(G().NumPesni)},
        // A song without a title is known by its file.
        {"xesam:title",
         shownTitle(song.title.isEmpty()
                        ? QFileInfo(QString(file).replace('\\', '/')).completeBaseName()
                        : song.title)},
    };
    if (look) {
        const SongLook &tags = lookOf(file, look);
        if (const QString title = shownTitle(tags.title); !title.isEmpty())
            m.insert("xesam:title", title);
        if (const QString artist = shownTitle(tags.artist); !artist.isEmpty())
            m.insert("xesam:artist", QStringList{artist});
        if (!tags.artUrl.isEmpty())
            m.insert("mpris:artUrl", tags.artUrl);
    }
    if (const QString album = shownTitle(albumTitle()); !album.isEmpty())
        m.insert("xesam:album", album);
    if (const QString url = fileAddress(file); !url.isEmpty())
        m.insert("xesam:url", url);
    const double seconds = P().player ? P().player->duration() : 0.0;
    if (seconds > 0)
        m.insert("mpris:length", qlonglong(seconds * kMicro));
    return m;
}

QStringList mprisMimeTypes() {
    return {QStringLiteral("audio/mpeg"), QStringLiteral("audio/x-mpegurl"),
            QStringLiteral("audio/mpegurl")};
}

QVariantMap mprisRootProperties() {
    const QString title = G().strTitle;
    return {
        {"CanQuit", true},
        {"CanRaise", true},
        {"HasTrackList", false},
        {"Identity", title.isEmpty() ? QStringLiteral("Tonvela for MP3") : title},
        {"DesktopEntry", QStringLiteral("org.tonvela.Tonvela")},
        {"SupportedUriSchemes", QStringList{QStringLiteral("file")}},
        {"SupportedMimeTypes", mprisMimeTypes()},
    };
}

QVariantMap mprisPlayerProperties(SongLook *look) {
    const int count = frmForma().PlayList.ListCount();
    // A seek into a file whose length is not known yet is kept by the player
    // until it can carry it out.
    const bool loaded = playing() || playState() == MediaPlayer::Paused;
    return {
        {"PlaybackStatus", mprisPlaybackStatus()},
        {"Rate", 1.0},
        {"MinimumRate", 1.0},
        {"MaximumRate", 1.0},
        {"Metadata", mprisMetadata(look)},
        {"Volume", P().player ? P().player->volume() : 1.0},
        {"CanGoNext", G().NumPesni > -1 && count > 0},
        {"CanGoPrevious", G().NumPesni > 0 && count > 0},
        {"CanPlay", canPlay()},
        {"CanPause", canPlay()},
        {"CanSeek", loaded},
        {"CanControl", true},
    };
}

QVariantMap Mpris::properties(Interface which) const {
    return which == Root ? mprisRootProperties() : mprisPlayerProperties(&m_look);
}

qint64 Mpris::position() const {
    if (playState() == MediaPlayer::Undefined)
        return 0;
    return qint64(P().player->currentPosition() * kMicro);
}

} // namespace tv
