// Starting songs, the Play/Pause/Stop commands, the playlist keys and the
// player's state event.
#include "LogicTest.h"

#include "core/Forma.h"
#include "core/Globals.h"
#include "core/Language.h"
#include "core/ShowForma.h"
#include "playback/NewPlayM.h"
#include "playback/PlayerCommands.h"

#include <QSignalSpy>

using namespace tv;
using namespace tv::test;

using Command = void (*)();

class TestNewPlay : public QObject {
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
        // One log in order: the pending events run between URL and play, and a
        // message needs a visible owner, also while hidden in the tray.
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
            calls =
                stored +
                QString("\r\nis not found.|Tonvela for MP3|%1|shown").arg(vbOKOnly | vbCritical);
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
        columns<QString, Command>("calls", "command");
        row("MusicPlay", "1 play play 1 1", &MusicPlay_Click);
        row("MusicPlay, none selected", "- play play - -",
            Command([] { frmForma().PlayList.setListIndex(-1), MusicPlay_Click(); }));
        row("pMenuPlay", "1 play play 1 1", &pMenuPlay_Click);
        // From the tray with the window hidden: the current song again.
        row("pMenuPlay hidden", "0 0 0 0 0",
            Command([] { G().ShowForm = false, pMenuPlay_Click(); }));
        row("MusicPausa", "- - - pause -", &MusicPausa_Click);
        row("MusicStop", "- - - rewind rewind", &MusicStop_Click);
        row("DblClick", "1 1 1 1 1", &PlayList_DblClick);
        // Enter counts only with its key-down in the list.
        row("Enter", "1 1 1 1 1", Command([] { PlayList_KeyDown(), PlayList_KeyUp(13); }));
        row("Enter released only", "- - - - -", Command([] { PlayList_KeyUp(13); }));
        row("stale key-down", "- - - - -",
            Command([] { PlayList_KeyDown(), PlayList_KeyUp(65), PlayList_KeyUp(13); }));
    }
    void commands() {
        QFETCH(Command, command);
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
};

QTEST_GUILESS_MAIN(TestNewPlay)
#include "tst_newplay.moc"
