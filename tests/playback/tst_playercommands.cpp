// The player's commands in each player state, from the window's menus, keys
// and picture buttons and from the desktop's remote controls: starting songs,
// moving on in and past the album, what the remote reads and what it is told;
// the volume control.
#include "Id3Tag.h"
#include "LogicTest.h"

#include "core/AlbumCommands.h"
#include "core/AlbumFormat.h"
#include "core/Forma.h"
#include "core/Globals.h"
#include "core/Language.h"
#include "editing/DropFiles.h"
#include "playback/Mpris.h"
#include "playback/PlayerCommands.h"
#include "playback/Sequence.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QUrl>
#include <cstdio>
#include <functional>
#include <memory>

using namespace tv;
using namespace tv::test;

namespace {

// The cover picture of a song's tag.
const QByteArray kCover("\x89PNG picture");

// A command of the window's menus and keys, and one of the remote's.
using Click = void (*)();
using Command = std::function<void(Mpris &)>;

// The program with songs "Song 0".."Song 2" at C:/Music/<i>.mp3 and the
// remote on a bus that takes it (or refuses it).
struct Remote : LogicEnv {
    std::unique_ptr<Mpris> mpris;

    explicit Remote(bool taken = true) {
        LanguageEnM();
        bus.present = taken;
        connectPlayback();
        fillPlayList(3);
        mpris = std::make_unique<Mpris>();
    }

    QVariantMap props() const { return mpris->properties(MediaRemote::Player); }

    // The player interface's announcements since the last look, one map each.
    QList<QVariantMap> told() {
        QCoreApplication::sendPostedEvents(); // lets the moment's announcements out
        QList<QVariantMap> seen;
        for (const auto &[which, changed] : std::exchange(bus.changes, {}))
            if (which == MediaRemote::Player)
                seen << changed;
        return seen;
    }

    // "nothing": no song started, the row `song` selected; otherwise song
    // `song` was started, 3 s long but while it loads, 1 s into it, and then
    // "playing", "paused", "ended" or "loading". "removed": song 2 plays and
    // the songs behind song 0 were removed.
    void enter(const QString &state, int song) {
        if (state == "nothing") {
            frmForma().PlayList.setListIndex(song);
        } else {
            NewPlayM(song);
            player.know(state == "loading" ? 0 : 3);
            player.setCurrentPosition(1);
            if (state == "paused")
                player.pause();
            else if (state == "ended")
                player.finish();
            else if (state == "loading")
                player.force(MediaPlayer::Transitioning);
            else if (state == "removed")
                openSongs(frmForma().ListPath.mid(0, 1), 0);
        }
        player.calls.clear();
        bus.seeks.clear();
        told();
    }
};

} // namespace

Q_DECLARE_METATYPE(Command)

class TestPlayerCommands : public QObject {
    Q_OBJECT
private slots:
    // Song 2 (stored at a path) is started while song 1 plays, recorded for
    // the open album, the second of those registered, with the window
    // hidden. The file is looked for where the album says, then on the other
    // drives: found, it is handed to the player, remembered for the album
    // and named in the tray tip. Not found, the user is told; then, as for an
    // index without a song, the song playing goes on, still shown as current.
    void startingASong_data() {
        // played: the file handed to the player, empty for none
        columns<int, int, QString, QString, QString>("song", "albums", "stored", "present",
                                                     "played");
        row("where the album says, before other drives", 1, 3, "F:/a", "E:/a|F:/a", "F:/a");
        row("first drive of the list is never tried", 1, 3, "E:/a", "C:/a", "");
        row("drive gone: first hit in list order", 1, 3, "D:/a", "Z:/a|E:/a", "E:/a");
        // Cutting two characters off it would find an unrelated file.
        row("a digit before the colon is no drive", 1, 3, "1:/music/a.mp3", "E:/music/a.mp3", "");
        // A line without a colon (an album edited by hand) is a path without a
        // title and without a drive to swap.
        row("no colon, no drive", 1, 3, "ab/music/a.mp3", "E:/music/a.mp3", "");
        row("no registry entry", 1, 0, "E:/a", "E:/a", "E:/a");
        row("no song selected", -1, 3, "E:/a", "E:/a", "");
        row("past the end", 3, 3, "E:/a", "E:/a", "");
    }
    void startingASong() {
        QFETCH(int, song);
        QFETCH(int, albums);
        QFETCH(QString, stored);
        QFETCH(QString, present);
        QFETCH(QString, played);
        LogicEnv env;
        LanguageEnM();
        for (const QString &p : present.split('|') + QStringList{"E:/m/playing.mp3"})
            env.drives.put(p);
        // A title may hold a colon: the path starts after the last one.
        const QString entry = stored.contains(':') ? "Intro: Song2" + stored : stored;
        openSongs({"Intro: Song1E:/m/playing.mp3", entry, "Intro: Song3E:/m/3.mp3"}, 0);
        listAlbums(QStringList(albums, "a.alb"));
        G().NumAlbom = 1;
        G().NameAlbom = "rock.alb";
        NewPlayM(0);
        env.player.calls.clear();
        env.tray.calls.clear();
        showForma(false);
        // One log in order: the pending events run between URL and play, or
        // in the message's own loop; a message needs a visible owner, also
        // while hidden in the tray.
        env.events.pending = [&] { env.player.calls << "events"; };
        env.dialogs.onMsg = [&](const MsgCall &m) {
            env.player.calls << m.prompt + "|" + m.title + "|" + QString::number(m.style) +
                                    (frmForma().Visible() && G().ShowForm ? "|shown" : "");
        };

        NewPlayM(song);

        // The search is repeated at every start; the album keeps its path.
        QCOMPARE(frmForma().ListPath.at(1), entry);
        const bool told = song == 1 && played.isEmpty();
        QString calls = played.isEmpty() ? "" : "pause url:" + played + " events play";
        if (told)
            calls = stored + QString("\r\nis not found.|Tonvela for MP3|%1|shown events")
                                 .arg(vbOKOnly | vbCritical);
        QCOMPARE(env.player.calls.join(' '), calls);
        const int now = played.isEmpty() ? 0 : song;
        QCOMPARE(G().NumPesni, now);
        for (int i = 0; i < albums; ++i)
            QCOMPARE(G().Alboms.at(i).NumPesni, i == 1 ? now : 0);
        QCOMPARE(frmForma().nazvanie(), frmForma().PlayList.List(now));
        QCOMPARE(frmForma().PlayList.ListIndex(), now);
        QCOMPARE(env.tray.calls,
                 played.isEmpty() ? QStringList() : QStringList{"tip:2.Intro: Song2 - rock.alb"});
        QCOMPARE(G().ShowForm, told);
    }

    // What each entry point asks of the player in each player state, in the
    // order Undefined, Stopped, Paused, Playing, loading, song 0 having been
    // started. "0"/"1": song 0 or 1 is started; "rewind" is pause and back to 0;
    // "-" is nothing. Song 1 is selected unless told otherwise.
    void commands_data() {
        columns<QString, Click>("calls", "command");
        row("MusicPlay", "1 play play 1 1", &MusicPlay_Click);
        row("MusicPlay, none selected", "- play play - -",
            Click([] { frmForma().PlayList.setListIndex(-1), MusicPlay_Click(); }));
        row("pMenuPlay", "1 play play 1 1", &pMenuPlay_Click);
        // From the tray with the window hidden: the current song again.
        row("pMenuPlay hidden", "0 0 0 0 0",
            Click([] { G().ShowForm = false, pMenuPlay_Click(); }));
        row("MusicPausa", "- - - pause -", &MusicPausa_Click);
        row("MusicStop", "- - - rewind rewind", &MusicStop_Click);
        row("DblClick", "1 1 1 1 1", &PlayList_DblClick);
        // Enter counts only with its key-down in the list.
        row("Enter", "1 1 1 1 1", Click([] { PlayList_KeyDown(), PlayList_KeyUp(13); }));
        row("Enter released only", "- - - - -", Click([] { PlayList_KeyUp(13); }));
        row("stale key-down", "- - - - -",
            Click([] { PlayList_KeyDown(), PlayList_KeyUp(65), PlayList_KeyUp(13); }));
    }
    void commands() {
        QFETCH(Click, command);
        QStringList seen;
        for (int state : {MediaPlayer::Undefined, MediaPlayer::Stopped, MediaPlayer::Paused,
                          MediaPlayer::Playing, MediaPlayer::Transitioning}) {
            LogicEnv env;
            env.fillPlayList(2);
            NewPlayM(0);
            env.player.force(state);
            env.player.calls.clear();
            frmForma().PlayList.setListIndex(1);
            command();
            // Never the player's own stop: that would read as "song over".
            QString done = env.player.calls.join(' ');
            done.replace(QRegularExpression("pause url:C:/Music/(\\d)\\.mp3 play"), "\\1");
            seen << (done.isEmpty() ? QString("-") : done.replace("pause pos:0", "rewind"));
        }
        QTEST(seen.join(' '), "calls");
    }

    // connect: 1 once, 2 twice (the second call replaces the connections),
    // 3 again after a new main window (which gets its own). In states, -1 is
    // the user's Stop: what the player reports after it is no end of a song.
    void pictureButtons_data() {
        columns<int, QList<int>, bool, bool>("connect", "states", "playing", "timerArmed");
        row("paused", 1, QList<int>{3, 2}, false, false);
        row("stopped", 1, QList<int>{3, 1}, false, true);
        row("loading", 1, QList<int>{9}, false, false);
        row("stopped, then playing", 1, QList<int>{1, 3}, true, true);
        row("Stop while loading, then stopped", 1, QList<int>{9, -1, 1}, false, false);
        row("connected twice", 2, QList<int>{3, 1}, false, true);
        row("new main window", 3, QList<int>{3, 1}, false, true);
    }
    void pictureButtons() {
        QFETCH(int, connect);
        QFETCH(QList<int>, states);
        QFETCH(bool, playing);
        LogicEnv env;
        connectPlayback();
        if (connect == 3)
            resetForma();
        if (connect > 1)
            connectPlayback();
        QSignalSpy spy(&frmForma(), &Forma::pictureButtonsChanged);
        for (int s : states)
            s == -1 ? MusicStop_Click() : env.player.force(s);
        QCOMPARE(spy.count(), states.size());
        const Forma &f = frmForma();
        QCOMPARE(
            QList<bool>({f.pPlay.visible1, f.pPlay.visible2, f.pPause.visible1, f.pPause.visible2}),
            QList<bool>({!playing, playing, playing, !playing}));
        QTEST(f.tmrEndSound.isActive(), "timerArmed");
    }

    // calls: what the player was asked, "url:" shortened to the song's number,
    // and what the main window was asked. Seek moves from where the song is,
    // to its start at most, and past its end acts as Next (while the length
    // is unknown the player keeps it until it can); SetPosition is
    // dropped for another song or outside the song. Raise is the tray's
    // double-click, which a shown window needs not: it only comes to the
    // front. Quit is the close request.
    void commandsInEachState_data() {
        columns<QString, int, Command, QString, QString>("state", "song", "command", "calls",
                                                         "status");
        const Command play = &Mpris::Play, pause = &Mpris::Pause, stop = &Mpris::Stop;
        const Command playPause = &Mpris::PlayPause, next = &Mpris::Next;
        const Command previous = &Mpris::Previous, quit = &Mpris::Quit, raise = &Mpris::Raise;
        const Command hidden = [](Mpris &m) { showForma(false), m.Raise(); };
        const auto seek = [](qint64 micro) { return Command([=](Mpris &m) { m.Seek(micro); }); };
        const auto setPosition = [](int song, qint64 micro) {
            const QString track = QString("/org/tonvela/song/%1").arg(song);
            return Command([=](Mpris &m) { m.SetPosition(track, micro); });
        };
        const QString start0 = "pause url:0 play", start1 = "pause url:1 play";
        const QString start2 = "pause url:2 play";
        row("Play, nothing loaded: the selected row", "nothing", 1, play, start1, "Playing");
        row("Play, playing: the song goes on", "playing", 1, play, "", "Playing");
        row("Play, loading: the song goes on", "loading", 1, play, "", "Playing");
        row("Pause, playing", "playing", 1, pause, "pause", "Paused");
        row("Pause, paused: no toggle", "paused", 1, pause, "", "Paused");
        row("PlayPause, playing", "playing", 1, playPause, "pause", "Paused");
        row("PlayPause, paused", "paused", 1, playPause, "play", "Playing");
        row("Stop, playing: pause and rewind", "playing", 1, stop, "pause pos:0", "Stopped");
        row("Next, playing", "playing", 1, next, start2, "Playing");
        row("Previous, playing", "playing", 2, previous, start1, "Playing");
        row("Previous, first song", "playing", 0, previous, "", "Playing");
        row("Previous, songs behind removed", "removed", 2, previous, start0, "Playing");
        row("Seek forward", "playing", 1, seek(1000000), "pos:2", "Playing");
        row("Seek back past the start", "playing", 1, seek(-5000000), "pos:0", "Playing");
        row("Seek past the end", "playing", 1, seek(5000000), start2, "Playing");
        row("Seek while the length is unknown", "loading", 1, seek(1000000), "pos:2", "Playing");
        row("SetPosition", "playing", 1, setPosition(1, 2500000), "pos:2.5", "Playing");
        row("SetPosition, another song", "playing", 1, setPosition(2, 2500000), "", "Playing");
        row("SetPosition past the end", "playing", 1, setPosition(1, 3500000), "", "Playing");
        row("SetPosition before the start", "playing", 1, setPosition(1, -1), "", "Playing");
        row("Raise, hidden", "nothing", 1, hidden, "visible:0 visible:1 activate", "Stopped");
        row("Raise, shown", "nothing", 1, raise, "activate", "Stopped");
        row("Quit", "nothing", 1, quit, "unload", "Stopped");
    }
    void commandsInEachState() {
        QFETCH(QString, state);
        QFETCH(int, song);
        QFETCH(Command, command);
        // On a bus that takes the program, and without one: then the commands
        // work as before and nothing is announced.
        for (const bool taken : {true, false}) {
            Remote r(taken);
            const Forma *f = &frmForma();
            QStringList &log = r.player.calls;
            const Mpris *until = r.mpris.get();
            QObject::connect(f, &Forma::visibilityRequested, until,
                             [&](bool v) { log << QString("visible:%1").arg(int(v)); });
            QObject::connect(f, &Forma::activateRequested, until, [&] { log << "activate"; });
            QObject::connect(f, &Forma::unloadRequested, until, [&] { log << "unload"; });
            r.enter(state, song);
            command(*r.mpris);
            QString calls = r.player.calls.join(' ');
            calls.replace(QRegularExpression("url:C:/Music/(\\d)\\.mp3"), "url:\\1");
            QTEST(calls, "calls");
            QTEST(r.props().value("PlaybackStatus").toString(), "status");
            QVERIFY(G().ShowForm);
            QCoreApplication::sendPostedEvents();
            QCOMPARE(r.mpris->published(), taken);
            QCOMPARE(r.bus.remote != nullptr, taken);
            QVERIFY(taken || r.bus.changes.isEmpty());
        }
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
        const QVariantMap p = r.props();
        QStringList offered;
        for (const char *name : {"Play", "Pause", "GoNext", "GoPrevious", "Seek"})
            if (p.value(QStringLiteral("Can") + name).toBool())
                offered << QString(name).remove("Go");
        QTEST(offered.join(' '), "offered");
    }

    // OpenUri takes a local file as the command line does: this machine's
    // address however written, the path cleaned, a name that is not UTF-8
    // found. A file it cannot take is refused at once and said in the window.
    void openUri_data() {
        columns<QString, QString, int>("uri", "added", "refusal");
        const auto r = [](const char *name, const char *uri, const QString &added,
                          Refusal refusal = Refusal::None) {
            row(name, QString(uri), added, int(refusal));
        };
        r("a file", "file://%1/new.mp3", "C:/Music/new.mp3");
        r("this machine by name", "file://LocalHost%1/new.mp3", "C:/Music/new.mp3");
        r("a way round", "file://%1/sub/../new.mp3", "C:/Music/new.mp3");
        r("a byte that is not UTF-8", "file://%1/bad%FF.mp3", "C:/Music/bad\uF0FF.mp3");
        r("missing", "file://%1/gone.mp3", QString(), Refusal::NotFound);
        r("another kind of file", "file://%1/notes.txt", QString(), Refusal::CantOpen);
        r("another machine", "file://elsewhere%1/new.mp3", QString(), Refusal::NotFound);
    }
    void openUri() {
        QFETCH(QString, uri);
        QFETCH(QString, added);
        QFETCH(int, refusal);
        Remote r;
        r.drives.put("C:/Music/new.mp3");
        r.drives.put("C:/Music/notes.txt");
        QDir().mkpath(r.drives.native("C:/Music/sub"));
        const QByteArray music = QFile::encodeName(r.drives.native("C:/Music"));
        FILE *bad = std::fopen((music + "/bad\xff.mp3").constData(), "w");
        QVERIFY(bad && std::fclose(bad) == 0);
        uri = uri.arg(QString::fromLatin1(QUrl::toPercentEncoding(QFile::decodeName(music), "/")));
        QCOMPARE(r.mpris->opens(uri), refusal == int(Refusal::None));
        r.mpris->OpenUri(uri);
        QCOMPARE(songPath(frmForma().ListPath.last()), added.isEmpty() ? "C:/Music/2.mp3" : added);
        QCOMPARE(r.dialogs.msgs.size(), int(refusal != int(Refusal::None)));
        const QString why = refusal == int(Refusal::NotFound) ? G().strNotFound : G().strCantOpen;
        QVERIFY(r.dialogs.msgs.isEmpty() || r.dialogs.msgs.first().prompt.endsWith("\r\n" + why));
    }

    // What the remote reads of the song played: its own tags name it and its
    // artist and give its cover, read once however often the remote looks.
    // The title is one the desktop can show: a name's stand-ins as what they
    // stand for (or a space where nothing can be shown), a tag's line break
    // and other control characters as spaces, runs of spaces as one. told:
    // "title|artists|cover address".
    void metadata_data() {
        columns<QString, QByteArray, QString>("entry", "tag", "told");
        const QByteArray picture = '\0' + QByteArray("image/png\0\x03\0", 12) + kCover;
        row("the tag's title, artist and cover", QString("Song 1C:/Music/1.mp3"),
            id3v2Text(4, "TPE1", 3, "Ёлка") + id3v2Text(4, "TIT2", 3, "Прощай") +
                id3v2Frame(4, "APIC", picture),
            QString("Прощай|Ёлка|cover:1"));
        row("a tag's line break", QString("Song 1C:/Music/1.mp3"),
            id3v2Text(4, "TIT2", 3, "One\r\n Two\t"), QString("One Two||"));
        row("stand-ins of a colon and a backslash", QString("AC\uF05CDC\uF03A LiveC:/Music/1.mp3"),
            QByteArray(), QString("AC\\DC: Live||"));
        row("a file name with a line break", QString("C:/Music/Dawn\uF00D\uF00Asong.mp3"),
            QByteArray(), QString("Dawn song||"));
        row("a byte of another code page", QString("Caf\uF0E9 barC:/Music/1.mp3"), QByteArray(),
            QString("Caf bar||"));
        row("a private character taken as it is", QString("A\uF000\uF03ABC:/Music/1.mp3"),
            QByteArray(), QString("A B||"));
        row("plain text untouched", QString("Ёлка: é — 2C:/Music/1.mp3"), QByteArray(),
            QString("Ёлка: é — 2||"));
    }
    void metadata() {
        QFETCH(QString, entry);
        QFETCH(QByteArray, tag);
        Remote r;
        r.drives.put(SongEntry::split(entry).path,
                     tag.isEmpty() ? QByteArray("mp3") : id3v2(4, tag) + QByteArray(400, '\xff'));
        openSongs({entry}, 0);
        NewPlayM(0);
        const QVariantMap m = r.props().value("Metadata").toMap();
        QTEST(m.value("xesam:title").toString() + '|' +
                  m.value("xesam:artist").toStringList().join(',') + '|' +
                  m.value("mpris:artUrl").toString(),
              "told");
        r.told();
        QCOMPARE(r.bus.covers,
                 tag.contains("APIC") ? QList<QByteArray>{kCover} : QList<QByteArray>());
    }

    // The address is the file played: on another drive when the album's
    // drive no longer holds it. A song without a title is known by its file
    // name; an album never saved has no name.
    void metadataOfAFileOnAnotherDrive() {
        Remote r;
        r.drives.put("F:/m/Dawn song.mp3");
        openSongs({"E:/m/Dawn song.mp3"}, 0);
        NewPlayM(0);
        const QString url =
            QUrl::fromLocalFile(r.drives.native("F:/m/Dawn song.mp3")).toString(QUrl::FullyEncoded);
        QVERIFY(url.endsWith("/F/m/Dawn%20song.mp3"));
        QCOMPARE(r.props().value("Metadata").toMap(),
                 QVariantMap({{"mpris:trackid", "/org/tonvela/song/0"},
                              {"xesam:title", "Dawn song"},
                              {"xesam:url", url}}));
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
            {"xesam:url",
             QUrl::fromLocalFile(r.drives.native("C:/Music/1.mp3")).toString(QUrl::FullyEncoded)},
            {"mpris:length", qlonglong(3500000)},
        };
        QCOMPARE(r.told(), QList<QVariantMap>({{{"CanGoPrevious", true}, {"Metadata", song}}}));
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

        LanguageRuM();
        QCoreApplication::sendPostedEvents();
        QCOMPARE(r.bus.changes,
                 decltype(r.bus.changes)({{MediaRemote::Root, {{"Identity", "Тонвела для MP3"}}}}));
    }
    // The volume control starts the first mixer on the search path, from the
    // menu's item or the tray's; with none installed, a message.
    void theVolumeControlStarts_data() {
        // present: the programs installed; seen: what was started, or the
        // message with its title and style
        columns<QStringList, QString>("present", "seen");
        row("the Qt mixer first", QStringList{"pavucontrol", "pavucontrol-qt"},
            QString("start:/usr/bin/pavucontrol-qt|C:/Tonvela/"));
        row("GNOME's settings, on their sound page", QStringList{"gnome-control-center"},
            QString("start:/usr/bin/gnome-control-center sound|C:/Tonvela/"));
        row("the last of the list", QStringList{"xfce4-mixer", "alsamixer"},
            QString("start:/usr/bin/xfce4-mixer|C:/Tonvela/"));
        row("none: the user is told", QStringList{"alsamixer"},
            QString("Файл не найден.|Тонвела для MP3|%1").arg(vbOKOnly | vbCritical));
    }
    void theVolumeControlStarts() {
        QFETCH(QStringList, present);
        LogicEnv env;
        LanguageRuM();
        env.shell.installed = present;
        present.size() == 1 ? pMenuGromkost_Click() : MusicGromkost_Click();
        QStringList seen = env.shell.calls;
        for (const MsgCall &m : env.dialogs.msgs)
            seen << QString("%1|%2|%3").arg(m.prompt, m.title).arg(m.style);
        QTEST(seen.join(','), "seen");
    }
};

QTEST_GUILESS_MAIN(TestPlayerCommands)
#include "tst_playercommands.moc"
