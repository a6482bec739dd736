// What plays when a song ends: the next song, the next album, the album list
// window, or nothing.
#include "PlaybackKit.h"

#include "core/AlbumFormat.h"
#include "core/Forma.h"
#include "core/Shutdown.h"
#include "core/Songs.h"
#include "editing/EditCommands.h"
#include "playback/Mpris.h"
#include "playback/Sequence.h"

#include <QFile>
#include <QSignalSpy>

using namespace tv;
using namespace tv::test;

namespace {

// One end-of-song case: the open album, lstAlbomy's selection when the song
// ends, flags, the song played ("b/2"; empty: nothing), the selection after and
// what the user is shown besides the music.
struct EndCase {
    int open, selected;
    QString flags, played;
    int after;
    QString then;
};

// A player that cannot decode some files: it reports stopped at once, as the
// real one does on a decoding error.
class BrokenPlayer : public FakePlayer {
public:
    QStringList broken;
    void setURL(const QString &path) override {
        FakePlayer::setURL(path);
        if (broken.contains(path))
            force(Stopped);
    }
    // Tried again, it fails again.
    void play() override {
        if (broken.contains(URL()))
            calls << QStringLiteral("play");
        else
            FakePlayer::play();
    }
};

} // namespace

Q_DECLARE_METATYPE(EndCase)

class TestSequencing : public QObject {
    Q_OBJECT
private slots:
    // A song ends (or the control bar's own stop is pressed: "bar stop");
    // the timer's tick a second later decides what comes next; the remote's
    // Next ("remote") decides at once, the song still playing. Three albums
    // (or "one album"); the last song plays, or the first one with "first".
    // flags also hold "shown", "nonstop", "removed" (the last song was removed
    // while it played: NumPesni + 1 is beyond the count), "no song" (NumPesni
    // -1), "empty" (empty playlist) and "gone:<x>" (x.alb deleted before the
    // tick). then: what the user is shown besides the music.
    void endOfSong_data() {
        columns<EndCase>("c");
        row("the next song, bar stop", EndCase{0, 0, "first nonstop bar stop", "a/2", 0, ""});
        row("shown, non-stop: next album", EndCase{0, 0, "shown nonstop", "b/2", 1, ""});
        row("last album wraps to the first", EndCase{2, 2, "shown", "a/1", 0, "focus"});
        row("selection moved: the album after it", EndCase{0, 1, "shown", "c/1", 2, "focus"});
        // A repeat must not read the album again.
        row("one album, hidden, repeats", EndCase{0, 0, "one album gone:a", "a/1", 0, ""});
        // Removing changed the album: it is saved first (the question's Yes).
        row("its song removed: next album",
            EndCase{0, 0, "nonstop removed", "b/2", 1, "Save changes in playlist?"});
        row("missing next album", EndCase{0, 0, "shown gone:b", "", 1, "focus, is not found."});
        row("no album selected, hidden, non-stop", EndCase{0, -1, "nonstop", "", -1, "window"});
        // The last song was playing: it stops as if it had ended.
        row("remote Next, hidden: the list window", EndCase{0, 0, "remote", "", 0, "list window"});
        row("no current song", EndCase{0, 0, "shown no song", "", 0, ""});
        row("empty playlist", EndCase{0, 0, "shown empty", "", 0, ""});
    }
    void endOfSong() {
        QFETCH(EndCase, c);
        Shelf lib(c.flags.contains("one album") ? 1 : 3);
        lib.open(c.open, c.flags.contains("first") ? 0 : 1);
        Forma &f = frmForma();
        if (c.flags.contains("removed") || c.flags.contains("empty")) {
            f.ListPath = c.flags.contains("empty") ? QStringList() : f.ListPath.mid(0, 1);
            UpDatePlayListM();
        }
        if (c.flags.contains("no song"))
            G().NumPesni = -1;
        const int gone = c.flags.indexOf("gone:");
        if (gone >= 0)
            QVERIFY(QFile::remove(lib.drives.native(lib.app(c.flags.mid(gone + 5, 1) + ".alb"))));
        const QStringList openSongs = f.ListPath;
        f.lstAlbomy.setListIndex(c.selected);
        showForma(c.flags.contains("shown"));
        f.MusicNonStop.setChecked(c.flags.contains("nonstop"));
        QSignalSpy focus(&f, &Forma::focusRequested);
        QSignalSpy activated(&f, &Forma::activateRequested);

        if (c.flags.contains("remote")) {
            Mpris().Next();
        } else {
            c.flags.contains("bar stop") ? lib.player.stop() : lib.player.finish();
            QVERIFY(f.tmrEndSound.isActive());
            QVERIFY(lib.player.calls.filter("url:").isEmpty());
            // The tick itself, without waiting a second for it.
            QVERIFY(QMetaObject::invokeMethod(&f.tmrEndSound, "timeout"));
        }
        QVERIFY(!f.tmrEndSound.isActive());

        QStringList seen;
        if (lib.listWindows.calls.contains("showListAlbom"))
            seen << "list window";
        if (!focus.isEmpty() &&
            focus.last().at(0).value<Forma::Control>() == Forma::Control::lstAlbomy)
            seen << "focus";
        if (!activated.isEmpty() && G().ShowForm && f.Visible())
            seen << "window";
        for (const MsgCall &msg : lib.dialogs.msgs)
            seen << msg.prompt;
        QCOMPARE(seen.join(", "), c.then);
        QCOMPARE(f.lstAlbomy.ListIndex(), c.after);
        QCOMPARE(lib.played(), c.played);
        QCOMPARE(lib.player.playState() == MediaPlayer::Playing, !c.played.isEmpty());
        // The album that ended starts from its first song next time.
        const bool ended = !QRegularExpression("no song|empty|first").match(c.flags).hasMatch();
        QCOMPARE(G().Alboms.at(c.open).NumPesni, ended ? 0 : 1);
        // Nothing new plays: the open album stays as it was.
        const int now = c.played.isEmpty() ? c.open : c.after;
        QCOMPARE(QString::number(G().NumAlbom) + G().NameAlbom,
                 QString::number(now) + QChar('a' + now) + ".alb");
        if (c.played.isEmpty())
            QCOMPARE(f.ListPath, openSongs);
    }

    // Near the end of a song of album a the player asks for the next one; what
    // the user does before the join decides whether the prepared song still
    // follows (joined) or is given up. A join shows the song as any start
    // does, with no end-of-song pause; without a prepared song the song ends
    // and the timer moves on as before.
    void preparedNextSong_data() {
        // action: what happens after the player asked; prepared: whether the
        // second song was given to follow; joined: whether it follows then.
        columns<int, QString, bool, bool>("song", "action", "prepared", "joined");
        row("nothing: the second song follows", 0, "", true, true);
        row("the last song: the album's end keeps its pause", 1, "", false, false);
        row("its file is missing", 0, "missing", false, false);
        row("Stop", 0, "stop", true, false);
        row("Pause", 0, "pause", true, false);
        row("a song picked", 0, "pick", true, false);
        row("the remote's Next", 0, "next", true, false);
        row("the next song removed", 0, "remove", true, false);
        row("the songs reversed", 0, "reverse", true, false);
        row("a song added at the end", 0, "append", true, true);
        row("another album opened", 0, "album", true, false);
    }
    void preparedNextSong() {
        QFETCH(int, song);
        QFETCH(QString, action);
        QFETCH(bool, joined);
        Shelf lib;
        lib.open(0, song);
        Forma &f = frmForma();
        if (action == "missing")
            QVERIFY(QFile::remove(lib.drives.native("E:/m/a/2.mp3")));
        lib.player.nearEnd();
        QTEST(lib.player.next() == "E:/m/a/2.mp3", "prepared");
        if (action == "stop")
            MusicStop_Click();
        else if (action == "pause")
            MusicPausa_Click();
        else if (action == "pick") {
            f.PlayList.setListIndex(0);
            PlayList_DblClick();
        } else if (action == "next")
            Mpris().Next();
        else if (action == "remove" || action == "append") {
            f.ListPath = action == "remove" ? f.ListPath.mid(0, 1)
                                            : f.ListPath.toList() << "ThreeE:/m/a/2.mp3";
            UpDatePlayListM();
        } else if (action == "reverse")
            SortReversM();
        else if (action == "album")
            lib.open(1, 0);
        QCOMPARE(!lib.player.next().isEmpty(), joined);
        if (!joined)
            return;
        lib.tray.calls.clear();
        lib.player.join();
        QCOMPARE(G().NumPesni, 1);
        QCOMPARE(G().Alboms.at(0).NumPesni, 1);
        QCOMPARE(f.PlayList.ListIndex(), 1);
        QCOMPARE(lib.tray.calls, QStringList({"tip:2.Two - a.alb"}));
        QVERIFY(!f.tmrEndSound.isActive());
        QVERIFY(lib.player.calls.filter("url:").isEmpty());
        QVERIFY(!nextSong().prepared);
    }

    // The last song of a changed album ends (or the remote's Next skips it):
    // before the next album replaces it the user is asked whether to save
    // it. Yes saves (a never-saved album through the save dialog, "as n"),
    // No goes on without saving, Cancel stays on the album with nothing
    // playing. saved: the songs the album's file holds afterwards.
    void changedAlbumAsksBeforeItIsLeft_data() {
        columns<QString, int, QString, QString, QString>("flags", "answer", "played", "open",
                                                         "saved");
        row("Yes saves, then the next album", "", int(vbYes), "b/2", "b.alb", "a:3");
        row("No goes on unsaved", "", int(vbNo), "b/2", "b.alb", "a:2");
        row("Cancel stays, nothing plays", "", int(vbCancel), "", "a.alb", "a:2");
        row("remote Next asks the same", "remote", int(vbCancel), "", "a.alb", "a:2");
        row("never saved: Yes saves as n", "new", int(vbYes), "a/2", "a.alb", "n:3");
        row("never saved: its dialog cancelled", "new cancel", int(vbYes), "", "", ":");
        // The song ends while the close request's question is up, which is
        // cancelled: the album's end waits for that answer, then asks its own.
        row("ending inside the close question", "close", int(vbNo), "b/2", "b.alb", "a:2");
    }
    void changedAlbumAsksBeforeItIsLeft() {
        QFETCH(QString, flags);
        QFETCH(int, answer);
        Shelf lib;
        lib.open(0, 1);
        const QStringList songs = frmForma().ListPath;
        if (flags.contains("new")) {
            startNewAlbum();
            appendSongs(songs);
        }
        lib.drives.put("E:/m/a/3.mp3");
        appendSongs({"ThreeE:/m/a/3.mp3"});
        NewPlayM(frmForma().PlayList.ListCount() - 1);
        lib.player.calls.clear();
        if (flags.contains("close"))
            lib.dialogs.answers.enqueue(vbCancel);
        lib.dialogs.answers.enqueue(answer);
        if (flags.contains("new") && !flags.contains("cancel"))
            lib.dialogs.files.enqueue(lib.app("n"));
        showForma(true);

        const auto endOfSong = [&lib] {
            lib.player.finish();
            tmrEndSound_Timer();
        };
        if (flags.contains("remote")) {
            Mpris().Next();
        } else if (flags.contains("close")) {
            lib.events.pending = endOfSong;
            bool cancel = false;
            Form_QueryUnload(&cancel);
            QVERIFY(cancel);
        } else {
            endOfSong();
        }

        QCOMPARE(lib.dialogs.msgs.size(), flags.contains("close") ? 2 : 1);
        QCOMPARE(lib.dialogs.msgs.last().prompt, G().strSaveChanges);
        QTEST(lib.played(), "played");
        QCOMPARE(lib.player.playState() == MediaPlayer::Playing, !lib.played().isEmpty());
        QTEST(G().NameAlbom, "open");
        QFETCH(QString, saved);
        const QString file = saved.section(':', 0, 0);
        if (!file.isEmpty())
            QCOMPARE(AlbumFormat::parse(lib.drives.get(lib.app(file + ".alb"))).size(),
                     saved.section(':', 1).toInt());
    }

    // A song ends and, within the second before the tick, the user starts
    // another one: the tick must not skip past the song the user chose. A
    // chosen file the player cannot decode stops at once and moves on.
    void songChosenAfterEndIsKept_data() {
        columns<bool>("broken");
        row("playable song", false);
        row("undecodable song moves on", true);
    }
    void songChosenAfterEndIsKept() {
        QFETCH(bool, broken);
        BrokenPlayer player; // outlives the ports that point to it
        Shelf lib(1);
        if (broken)
            player.broken << "E:/m/a/1.mp3";
        P().player = &player;
        connectPlayback();
        lib.open(0, 1);
        player.finish();
        QVERIFY(frmForma().tmrEndSound.isActive());

        frmForma().PlayList.setListIndex(0);
        PlayList_DblClick();

        QCOMPARE(player.URL(), QString("E:/m/a/1.mp3"));
        QCOMPARE(frmForma().tmrEndSound.isActive(), broken);
        if (broken) {
            tmrEndSound_Timer();
            QCOMPARE(player.URL(), QString("E:/m/a/2.mp3"));
            QVERIFY(lib.dialogs.msgs.isEmpty());
        }
    }
};

QTEST_GUILESS_MAIN(TestSequencing)
#include "tst_sequencing.moc"
