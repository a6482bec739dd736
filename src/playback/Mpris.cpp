#include "playback/Mpris.h"

#include "core/Forma.h"
#include "core/Globals.h"
#include "editing/OpenFilesM.h"
#include "platform/Ports.h"
#include "playback/NewPlayM.h"
#include "playback/PlayerCommands.h"
#include "playback/Sequencing.h"
#include "playback/Tray.h"

#include <QDir>
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

} // namespace tv
