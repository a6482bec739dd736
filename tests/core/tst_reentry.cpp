// Commands that arrive while a routine lets pending events run, or while a
// question, a file dialog or a modal window is up: the second waits for the
// first, and the registry, the open album and what plays agree afterwards.

#include "AlbumKit.h"
#include "MemoryFs.h"

#include "core/AlbumCommands.h"
#include "core/AlbumFormat.h"
#include "core/Forma.h"
#include "core/Songs.h"
#include "core/Turns.h"
#include "editing/AddFiles.h"
#include "editing/ChangeModel.h"
#include "editing/DropFiles.h"
#include "editing/NewDiskModel.h"
#include "playback/FoundModel.h"
#include "playback/ListAlbomModel.h"
#include "playback/Mpris.h"
#include "playback/PlayerCommands.h"
#include "playback/Sequence.h"

#include <memory>
#include <vector>

using namespace tv;
using namespace tv::test;

namespace {

// Runs the command at the n-th time events are let in from now on.
void atYield(FakeEvents &events, int n, std::function<void()> command) {
    if (n <= 1) {
        events.pending = std::move(command);
        return;
    }
    events.pending = [&events, n, command] { atYield(events, n - 1, command); };
}

void doubleClickAlbum(int row) {
    frmForma().lstAlbomy.setListIndex(row);
    lstAlbomy_DblClick();
}

// The songs that the desktop, a drop or the search add: none of the albums
// holds them.
const QString kAdded = QStringLiteral("C:/Music/9.mp3");
const QString kDropped = QStringLiteral("C:/Music/8.mp3");

// Where the table starts: a clean album playing; a changed album (a song
// added, not saved) playing its last song; the album-list window open with
// the main window in the tray.
const QStringList kStates{"clean", "changed, last song", "list window, tray"};

// Albums a, b and c of 3, 4 and 5 songs, a open and playing its song 1, c
// remembering its song 2; the remote on the bus; then the state. The
// player's calls are traced together with the moments events run ("<" ...
// ">"). The disk is in memory: saving to a real one waits for it, hundreds
// of times here.
struct Desk : AlbumEnv {
    MemoryFs disk;
    std::unique_ptr<Mpris> remote;
    std::vector<std::unique_ptr<ListAlbomModel>> listWindows;
    bool changed = false;

    explicit Desk(const QString &state = kStates.first()) {
        P().fs = &disk;
        disk.addFolder(G().AppDir);
        QStringList songs;
        for (int i = 0; i < 5; ++i) {
            songs << QStringLiteral("Song %1C:/Music/%1.mp3").arg(i);
            disk.addFile(QStringLiteral("C:/Music/%1.mp3").arg(i));
            if (i >= 2) // a.alb holds songs 0-2, b.alb 0-3, c.alb 0-4
                disk.addFile(app(QChar('a' + i - 2) + QStringLiteral(".alb")),
                             albumFile(QString::number(i + 1), songs));
        }
        listAlbums({"a.alb", "b.alb", "c.alb"});
        G().Alboms[2].NumPesni = 2;
        connectPlayback();
        remote = std::make_unique<Mpris>();
        frmForma().lstAlbomy.setListIndex(0);
        OpenAlbomM("a.alb");
        NewPlayM(1);
        disk.addFile(kAdded);
        disk.addFile(kDropped);
        if (state == kStates.at(1)) {
            appendSongs({"Added" + kAdded});
            NewPlayM(3);
            changed = true;
        } else if (state == kStates.at(2)) {
            showForma(false);
            listWindows.push_back(std::make_unique<ListAlbomModel>());
        }
        G().Found = {{"c.alb", "Found", kAdded}};
        player.calls.clear();
        events.doEvents = 0;
        events.trace = &player.calls;
    }

    // A command whose file dialog ends at this album in AppDir.
    void chooseIn(void (*command)(), const char *album) {
        dialogs.files.enqueue(app(album));
        command();
    }

    // Whether the song added to a changed album is still somewhere: in the
    // open album or in an album file.
    bool additionKept() {
        // The drive letters may have made it c:.
        if (frmForma().ListPath.join(" ").contains(kAdded, Qt::CaseInsensitive))
            return true;
        for (const QString &name : disk.listFiles(G().AppDir, ".alb"))
            if (QString::fromLatin1(disk.bytes(app(name))).contains(kAdded, Qt::CaseInsensitive))
                return true;
        return false;
    }

    // What the user does in the modal window `call` when it is up.
    void inside(const QString &call, std::function<void()> action) {
        windows.onModal = [call, action](const QString &shown) {
            if (shown == call)
                action();
        };
    }

    // The album-list window (the one shown, if any), picking album b.
    void pickInWindow() {
        ListAlbomModel *window = frmListAlbom();
        if (!window) {
            listWindows.push_back(std::make_unique<ListAlbomModel>());
            window = listWindows.back().get();
        }
        window->List1.setListIndex(1);
        window->List1_DblClick();
    }
};

using DeskCommand = std::function<void(Desk &)>;

// Every command of the user, and the end of a song.
const QMap<QString, DeskCommand> &deskCommands() {
    static const QMap<QString, DeskCommand> commands{
        {"pick c in the list", [](Desk &) { doubleClickAlbum(2); }},
        {"pick b in the window", [](Desk &d) { d.pickInWindow(); }},
        {"the last song played to its end",
         [](Desk &d) {
             PlayListModel &songs = frmForma().PlayList;
             songs.setListIndex(songs.ListCount() - 1);
             PlayList_DblClick();
             d.player.finish();
             if (frmForma().tmrEndSound.isActive())
                 tmrEndSound_Timer();
         }},
        {"New", [](Desk &) { FileNew_Click(); }},
        {"Open b", [](Desk &d) { d.chooseIn(FileOpen_Click, "b.alb"); }},
        {"Save", [](Desk &) { FileSave_Click(); }},
        {"Save as d", [](Desk &d) { d.chooseIn(FileSaveAs_Click, "d.alb"); }},
        {"Play", [](Desk &) { MusicPlay_Click(); }},
        {"Stop", [](Desk &) { MusicStop_Click(); }},
        {"Next", [](Desk &d) { d.remote->Next(); }},
        {"Previous", [](Desk &d) { d.remote->Previous(); }},
        {"end of the song",
         [](Desk &d) {
             d.player.finish();
             if (frmForma().tmrEndSound.isActive())
                 tmrEndSound_Timer();
         }},
        {"album list from the tray", [](Desk &) { pMenuListAlbom_Click(); }},
        {"open a file from the desktop", [](Desk &) { OpenFilesM({kAdded}); }},
        {"drop a file", [](Desk &) { DropFilesM({kDropped}, 0); }},
        {"add-files browser",
         [](Desk &d) {
             d.inside("showAddFile", [] { AddFile("C:/Music/", "8.mp3", 0); });
             EditAddFile_Click();
         }},
        {"search, add a found song",
         [](Desk &d) {
             d.inside("showFound", [] {
                 FoundModel search;
                 search.List1.showFound();
                 search.List1.setListIndex(0);
                 search.List1_DblClick();
             });
             FileFound_Click();
         }},
        {"title editor",
         [](Desk &d) {
             d.inside("showChange", [] {
                 ChangeModel titles;
                 titles.setListIndex(0);
                 titles.setText1("Renamed");
                 titles.kChange_Click();
                 titles.kOK_Click();
             });
             EditChange_Click();
         }},
        {"drive letters",
         [](Desk &d) {
             d.inside("showNewDisk", [] {
                 NewDiskModel letters;
                 letters.setText1(1, "c");
                 letters.kOK_Click();
             });
             EditNewDisk_Click();
         }},
    };
    return commands;
}

// A file handed to the player while the file before it is still being set up
// (between its URL and the end of the events that follow it).
bool startInsideStart(const QStringList &calls) {
    QList<bool> inStart{false};
    QString last;
    for (const QString &call : calls) {
        if (call == "<")
            inStart << (inStart.last() || last.startsWith("url:"));
        else if (call == ">")
            inStart.removeLast();
        else if (call.startsWith("url:") && inStart.last())
            return true;
        last = call;
    }
    return false;
}

// The file of the song that follows the one playing in its album, when a
// song plays that is not the last and no other start is under way: at its
// end that one starts at once, whatever command is running.
QString nextSongOfAlbum(Desk &d) {
    const int next = G().NumPesni + 1;
    const SongList &songs = frmForma().ListPath;
    if (d.player.playState() != MediaPlayer::Playing || playerTurn().starting || G().NumPesni < 0 ||
        next >= songs.size())
        return {};
    return songPath(songs.at(next));
}

// What is wrong with the state two commands left behind, "" when nothing.
QString faults(Desk &d, bool stoppedInStart) {
    QStringList found;
    const Globals &g = G();
    const Forma &f = frmForma();
    QStringList names;
    // New's placeholder is an entry without a name.
    for (const AlbomInfo &a : g.Alboms) {
        names << (a.Name.isEmpty() ? kNewAlbum : a.Name);
        if (!a.Name.isEmpty() && a.NumPesni < 0)
            found << "registry entry " + a.Name + " has no song";
    }
    if (names != f.lstAlbomy.items())
        found << "registry and album list differ: " + registry();
    if (g.NameAlbom.isEmpty()) {
        if (g.NumAlbom != g.AlbomUB() || names.value(g.NumAlbom) != kNewAlbum ||
            (!g.AlbomChanged && !f.ListPath.isEmpty()))
            found << "new album not the last entry: " + openState();
    } else if (names.indexOf(g.NameAlbom) != g.NumAlbom ||
               (!g.AlbomChanged &&
                AlbumFormat::parse(d.disk.bytes(d.app(g.NameAlbom))) != f.ListPath)) {
        found << "open album is not its entry and file: " + openState();
    }
    if (d.changed && !d.additionKept())
        found << "the unsaved song is lost";
    // With no current song Play may resume the file of the album left. An
    // add selects the song added, and retitling leaves the title drawn as the
    // song started: the number drawn tells the song.
    const bool playing = d.player.playState() == MediaPlayer::Playing;
    if (playing && g.NumPesni > -1 &&
        (g.NumPesni >= f.ListPath.size() ||
         d.player.URL().compare(songPath(f.ListPath.at(g.NumPesni)), Qt::CaseInsensitive) ||
         !f.nazvanie().startsWith(QString::number(g.NumPesni + 1) + '.') ||
         g.Alboms.value(g.NumAlbom).NumPesni != g.NumPesni))
        found << QStringLiteral("plays %1, not song %2 as shown and recorded")
                     .arg(d.player.URL())
                     .arg(g.NumPesni);
    if (playing && stoppedInStart)
        found << "plays after Stop";
    if (d.player.playState() != MediaPlayer::Stopped && f.tmrEndSound.isActive())
        found << "an end of song is pending while a song plays";
    if (startInsideStart(d.player.calls))
        found << "a song started inside another start: " + d.player.calls.join(' ');
    if (d.events.ended)
        found << "the process ended";
    return found.join("; ");
}

} // namespace

class TestReentry : public QObject {
    Q_OBJECT
private slots:
    // Each command at each moment another one lets events run: the second
    // runs, the first gives way where it must, and the registry, the open
    // album, its selection and what plays agree afterwards.
    void commandAtEachYield_data() {
        columns<QString, QString, QString>("state", "first", "second");
        for (const QString &state : kStates)
            for (const QString &first : deskCommands().keys())
                for (const QString &second : deskCommands().keys())
                    QTest::newRow(qPrintable(state + ": " + first + " / " + second))
                        << state << first << second;
    }
    void commandAtEachYield() {
        QFETCH(QString, state);
        QFETCH(QString, first);
        QFETCH(QString, second);
        // Until the first command lets events run fewer than n times.
        for (int n = 1;; ++n) {
            Desk d(state);
            const QStringList began = frmForma().ListPath;
            bool stoppedInStart = false;
            QString notAtOnce;
            atYield(d.events, n, [&d, &stoppedInStart, &notAtOnce, second] {
                const QStringList &calls = d.player.calls;
                stoppedInStart = second == "Stop" && calls.size() > 1 &&
                                 calls.at(calls.size() - 2).startsWith("url:");
                const QString next = second == "end of the song" ? nextSongOfAlbum(d) : QString();
                deskCommands()[second](d);
                if (!next.isEmpty() && d.player.URL() != next)
                    notAtOnce = "the next song did not start at once: " + d.player.URL();
            });
            deskCommands()[first](d);
            if (d.events.pending)
                break;
            QString wrong = faults(d, stoppedInStart) + notAtOnce;
            // Whatever came meanwhile waited: the album Save as began on is
            // the one written. "changed, last song: Save as d / end of the
            // song" at yield 1 is the album ending inside the dialog.
            if (first == "Save as d" && AlbumFormat::parse(d.disk.bytes(d.app("d.alb"))) != began)
                wrong += "d.alb is not the album Save as began on";
            QVERIFY2(wrong.isEmpty(), qPrintable(QStringLiteral("yield %1: %2").arg(n).arg(wrong)));
        }
    }

    // The user double-clicks album c while a routine lets events run: while
    // the player loads a song of a ("play"), or while saving a as d rebuilds
    // the album list ("save"), before, inside or after the rebuild. The pick
    // waits its turn: the routine ends on the album it began on, then c
    // opens and its remembered song plays and stays recorded for c.
    void pickWaitsForTheRoutine_data() {
        columns<QString, int, QString, int>("first", "yield", "registry", "plays");
        row("while a song loads", "play", 1, "a.alb:0,b.alb:0,c.alb:2", 2);
        const char *saved = "a.alb:1,b.alb:0,c.alb:2,d.alb:1";
        row("before the rebuild", "save", 1, saved, 1);
        row("inside the rebuild", "save", 2, saved, 1);
        row("after the rebuild", "save", 3, saved, 1);
    }
    void pickWaitsForTheRoutine() {
        QFETCH(QString, first);
        QFETCH(int, yield);
        Desk d;
        atYield(d.events, yield, [] { doubleClickAlbum(2); });
        if (first == "play")
            NewPlayM(0);
        else
            runCommand([] { QVERIFY(SaveFileM("d.alb")); });
        QVERIFY(!d.events.pending);
        QCOMPARE(openState(), "c.alb|2|2|0");
        QTEST(registry(), "registry");
        QCOMPARE(G().NumPesni, 2);
        QCOMPARE(frmForma().PlayList.ListIndex(), 2);
        QCOMPARE(frmForma().nazvanie(), "3.Song 2");
        QTEST(int(d.player.calls.count("play")), "plays");
        QVERIFY(frmForma().Caption().endsWith(" - c.alb"));
        if (first == "save")
            QCOMPARE(d.disk.bytes(d.app("d.alb")), albumFile(" 3 ", d.songsOnDisk(3)));
    }
};

QTEST_GUILESS_MAIN(TestReentry)
#include "tst_reentry.moc"
