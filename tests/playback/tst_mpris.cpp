// The desktop's remote controls: each command in each player state, moving on
// in and past the album, what the remote reads and what it is told.
#include "Fakes.h"
#include "Id3Tag.h"

#include "core/AlbumCommands.h"
#include "core/Forma.h"
#include "core/Globals.h"
#include "core/Language.h"
#include "playback/Mpris.h"
#include "playback/NewPlayM.h"
#include "playback/PlayerCommands.h"

#include <QSignalSpy>
#include <QUrl>
#include <memory>

using namespace tv;
using namespace tv::test;

namespace {

using Command = void (Mpris::*)();

// The program with songs "Song 0".."Song 2" at C:/Music/<i>.mp3 and the
// remote on a bus that takes it (or refuses it).
struct Remote : LogicEnv {
    std::unique_ptr<Mpris> mpris;

    explicit Remote(int songs = 3, bool taken = true) {
        LanguageEnM();
        bus.present = taken;
        connectPlayback();
        fillPlayList(songs);
        mpris = std::make_unique<Mpris>();
    }

    // Lets the announcements of the moment go out.
    void settle() { QCoreApplication::sendPostedEvents(); }

    QVariantMap props() const { return mpris->properties(MediaRemote::Player); }

    // The player interface's announcements since the last look, one map each.
    QList<QVariantMap> told() {
        settle();
        QList<QVariantMap> seen;
        for (const auto &change : std::as_const(bus.changes))
            if (change.first == MediaRemote::Player)
                seen << change.second;
        bus.changes.clear();
        return seen;
    }

    // "nothing": no song started, the row `song` selected; otherwise song
    // `song` was started and then "playing", "paused", "ended" or "loading".
    // "removed": song 2 plays and the songs behind song 0 were removed.
    void enter(const QString &state, int song) {
        if (state == "nothing") {
            frmForma().PlayList.setListIndex(song);
        } else {
            NewPlayM(song);
            if (state == "paused")
                player.pause();
            else if (state == "ended")
                player.finish();
            else if (state == "loading")
                player.force(MediaPlayer::Transitioning);
            else if (state == "removed") {
                frmForma().ListPath = frmForma().ListPath.mid(0, 1);
                frmForma().PlayList.rebuild();
            }
        }
        player.calls.clear();
        told();
    }
};

QString fileUrl(const QString &native) {
    return QString::fromLatin1(QUrl::fromLocalFile(native).toEncoded());
}

} // namespace

Q_DECLARE_METATYPE(Command)

class TestMpris : public QObject {
    Q_OBJECT
private slots:
    // calls: what the player was asked, "url:" shortened to the song's number.
    void commandsInEachState_data() {
        columns<QString, int, Command, QString, QString>("state", "song", "command", "calls",
                                                         "status");
        const QString start1 = "pause url:1 play", start2 = "pause url:2 play";
        row("Play, nothing loaded: the selected row", "nothing", 1, &Mpris::Play, start1,
            "Playing");
        row("Play, nothing loaded, no row", "nothing", -1, &Mpris::Play, "", "Stopped");
        row("Play, playing: the song goes on", "playing", 1, &Mpris::Play, "", "Playing");
        row("Play, loading: the song goes on", "loading", 1, &Mpris::Play, "", "Playing");
        row("Play, paused: resumes", "paused", 1, &Mpris::Play, "play", "Playing");
        row("Play, ended: plays again", "ended", 1, &Mpris::Play, "play", "Playing");
        row("Pause, playing", "playing", 1, &Mpris::Pause, "pause", "Paused");
        row("Pause, paused: no toggle", "paused", 1, &Mpris::Pause, "", "Paused");
        row("Pause, ended", "ended", 1, &Mpris::Pause, "", "Stopped");
        row("PlayPause, playing", "playing", 1, &Mpris::PlayPause, "pause", "Paused");
        row("PlayPause, paused", "paused", 1, &Mpris::PlayPause, "play", "Playing");
        row("PlayPause, nothing loaded", "nothing", 1, &Mpris::PlayPause, start1, "Playing");
        row("Stop, playing: pause and rewind", "playing", 1, &Mpris::Stop, "pause pos:0",
            "Stopped");
        row("Stop, loading: pause and rewind", "loading", 1, &Mpris::Stop, "pause pos:0",
            "Stopped");
        row("Stop, paused: keeps its place", "paused", 1, &Mpris::Stop, "", "Paused");
        row("Next, playing", "playing", 1, &Mpris::Next, start2, "Playing");
        row("Next, paused", "paused", 0, &Mpris::Next, start1, "Playing");
        row("Next, nothing started", "nothing", 1, &Mpris::Next, "", "Stopped");
        row("Previous, playing", "playing", 2, &Mpris::Previous, start1, "Playing");
        row("Previous, first song", "playing", 0, &Mpris::Previous, "", "Playing");
        row("Previous, nothing started", "nothing", 1, &Mpris::Previous, "", "Stopped");
        row("Previous, songs behind removed", "removed", 2, &Mpris::Previous, "pause url:0 play",
            "Playing");
    }
    void commandsInEachState() {
        QFETCH(QString, state);
        QFETCH(int, song);
        QFETCH(Command, command);
        Remote r;
        r.enter(state, song);
        (r.mpris.get()->*command)();
        QString calls = r.player.calls.join(' ');
        calls.replace(QRegularExpression("url:C:/Music/(\\d)\\.mp3"), "url:\\1");
        QTEST(calls, "calls");
        QTEST(mprisPlaybackStatus(), "status");
        QTEST(r.props().value("PlaybackStatus").toString(), "status");
    }

    // Which commands the remote offers, by state and song.
    void offeredCommands_data() {
        // Play, Pause, Next, Previous, Seek; the song's length is known
        // except while it loads.
        columns<QString, int, QString>("state", "song", "offered");
        row("nothing loaded, no row", "nothing", -1, "");
        row("nothing loaded, a row selected", "nothing", 1, "Play Pause");
        row("first song playing", "playing", 0, "Play Pause Next Seek");
        row("last song paused", "paused", 2, "Play Pause Next Previous Seek");
        row("song ended", "ended", 1, "Play Pause Next Previous");
        row("song loading", "loading", 0, "Play Pause Next Seek");
    }
    void offeredCommands() {
        QFETCH(QString, state);
        QFETCH(int, song);
        Remote r;
        r.enter(state, song);
        if (state != "nothing" && state != "loading")
            r.player.know(3);
        const QVariantMap p = r.props();
        QStringList offered;
        for (const char *name : {"Play", "Pause", "GoNext", "GoPrevious", "Seek"})
            if (p.value(QStringLiteral("Can") + name).toBool())
                offered << QString(name).remove("Go");
        QTEST(offered.join(' '), "offered");
        QCOMPARE(p.value("CanControl"), QVariant(true));
    }

    // A song's own tags name it and its artist and give its cover, read once
    // however often the remote looks. A song without a title is known by its
    // file name; the address is the file played: on another drive when the
    // album's drive no longer holds it. An album never saved has no name.
    void metadataOfTheFilePlayed() {
        Remote r(0);
        const QByteArray cover("\x89PNG picture");
        const QByteArray picture = '\0' + QByteArray("image/png\0\x03\0", 12) + cover;
        r.drives.put("C:/Music/1.mp3",
                     id3v2(4, id3v2Text(4, "TPE1", 3, "Ёлка") + id3v2Text(4, "TIT2", 3, "Прощай") +
                                  id3v2Frame(4, "APIC", picture)) +
                         QByteArray(400, '\xff'));
        r.drives.put("F:/m/Dawn song.mp3");
        frmForma().ListPath << "Song 1C:/Music/1.mp3"
                            << "E:/m/Dawn song.mp3";
        frmForma().PlayList.rebuild();
        NewPlayM(0);
        QVariantMap m = r.props().value("Metadata").toMap();
        QCOMPARE(m.value("xesam:title"), QVariant(QString::fromUtf8("Прощай")));
        QCOMPARE(m.value("xesam:artist"), QVariant(QStringList{QString::fromUtf8("Ёлка")}));
        QCOMPARE(m.value("mpris:artUrl"), QVariant("cover:1"));
        r.told();
        QCOMPARE(r.bus.covers, QList<QByteArray>{cover});

        NewPlayM(1);
        m = r.props().value("Metadata").toMap();
        QCOMPARE(m.value("xesam:url").toString(), fileUrl(r.drives.native("F:/m/Dawn song.mp3")));
        QVERIFY(m.value("xesam:url").toString().endsWith("/F/m/Dawn%20song.mp3"));
        QCOMPARE(m.value("xesam:title"), QVariant("Dawn song"));
        QVERIFY(!m.contains("xesam:album"));
        QVERIFY(!m.contains("mpris:length"));
    }

    // After a song start the remote reads the song, and is told of it once,
    // in its final state: the pause on the way from the song before is not
    // told. Only what changed is told, once per moment; the language renames
    // the program; the volume (the remote's kept within its range) and jumps
    // of the position are told too.
    void announcements() {
        Remote r;
        G().NameAlbom = QStringLiteral("rock.alb");
        QCOMPARE(r.props().value("Metadata").toMap(),
                 QVariantMap({{"mpris:trackid", "/org/mpris/MediaPlayer2/TrackList/NoTrack"}}));
        r.enter("playing", 0);
        NewPlayM(1);
        r.player.know(3.5);
        const QVariantMap song{
            {"mpris:trackid", "/org/tonvela/song/1"},
            {"xesam:title", "Song 1"},
            {"xesam:album", "rock"},
            {"xesam:url", fileUrl(r.drives.native("C:/Music/1.mp3"))},
            {"mpris:length", qlonglong(3500000)},
        };
        QCOMPARE(r.props().value("Metadata").toMap(), song);
        const QList<QVariantMap> told = r.told();
        QCOMPARE(told.size(), 1);
        QCOMPARE(told.first().keys(), QStringList({"CanGoPrevious", "Metadata"}));
        QCOMPARE(told.first().value("Metadata").toMap(), song);
        QCOMPARE(r.props().value("PlaybackStatus"), QVariant("Playing"));
        r.mpris->refresh();
        QVERIFY(r.told().isEmpty());

        r.player.pause();
        QCOMPARE(r.told(), QList<QVariantMap>({{{"PlaybackStatus", "Paused"}}}));
        for (const auto &[asked, set] : {std::pair(0.25, 0.25), {1.5, 1.0}, {-0.2, 0.0}}) {
            r.mpris->setVolume(asked);
            QCOMPARE(r.player.volume(), set);
            QCOMPARE(r.told(), QList<QVariantMap>({{{"Volume", set}}}));
        }
        r.player.setCurrentPosition(2.25);
        QCOMPARE(r.bus.seeks, QList<qint64>({2250000}));

        r.bus.changes.clear();
        LanguageRuM();
        r.settle();
        QCOMPARE(r.bus.changes.size(), 1);
        QCOMPARE(r.bus.changes.first().first, MediaRemote::Root);
        QCOMPARE(r.bus.changes.first().second,
                 QVariantMap({{"Identity", QString("Тонвела для MP3")}}));
    }

    // Seek moves from where the song is, to its start at most, and past its
    // end acts as Next; SetPosition is dropped for another song or outside
    // the song. pos: the position asked of the player ("" none, "next").
    void seeking_data() {
        columns<QString, int, QString>("how", "micro", "pos");
        row("Seek forward", "seek", 1000000, "pos:2");
        row("Seek back past the start", "seek", -5000000, "pos:0");
        row("Seek past the end", "seek", 5000000, "next");
        row("SetPosition", "set", 2500000, "pos:2.5");
        row("SetPosition, another song", "stale", 2500000, "");
        row("SetPosition past the end", "set", 3500000, "");
        row("SetPosition before the start", "set", -1, "");
        row("length unknown: kept until the player can", "unknown", 1000000, "pos:2");
    }
    void seeking() {
        QFETCH(QString, how);
        QFETCH(int, micro);
        Remote r;
        r.enter("playing", 1);
        r.player.know(how == "unknown" ? 0 : 3);
        r.player.setCurrentPosition(1);
        r.player.calls.clear();
        if (how == "set" || how == "stale")
            r.mpris->SetPosition(how == "set" ? "/org/tonvela/song/1" : "/org/tonvela/song/2",
                                 micro);
        else
            r.mpris->Seek(micro);
        const QStringList calls = r.player.calls;
        QTEST(calls.contains("url:C:/Music/2.mp3") ? QString("next") : calls.join(' '), "pos");
    }

    // Raise as the tray's double-click, which a shown window needs not: it
    // only comes to the front. Quit is the close request.
    void raiseAndQuit_data() {
        columns<bool>("shown");
        row("hidden in the tray", false);
        row("shown", true);
    }
    void raiseAndQuit() {
        QFETCH(bool, shown);
        Remote r;
        G().ShowForm = shown;
        frmForma().setVisible(shown);
        QSignalSpy activated(&frmForma(), &Forma::activateRequested);
        QSignalSpy unload(&frmForma(), &Forma::unloadRequested);
        r.mpris->Raise();
        QVERIFY(G().ShowForm && frmForma().Visible());
        QCOMPARE(activated.size(), 1);
        QCOMPARE(unload.size(), 0);
        r.mpris->Quit();
        QCOMPARE(unload.size(), 1);
    }

    // Without a bus that takes the program the commands work as before and
    // nothing is announced.
    void withoutABus() {
        Remote r(3, false);
        QVERIFY(!r.mpris->published());
        frmForma().PlayList.setListIndex(1);
        r.mpris->Play();
        QCOMPARE(r.player.URL(), QString("C:/Music/1.mp3"));
        QCOMPARE(r.props().value("PlaybackStatus"), QVariant("Playing"));
        r.settle();
        QVERIFY(r.bus.changes.isEmpty());
        QVERIFY(!r.bus.remote);
    }
};

QTEST_GUILESS_MAIN(TestMpris)
#include "tst_mpris.moc"
