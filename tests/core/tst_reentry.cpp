// Commands that arrive while a routine lets pending events run: a second
// album command in that moment must leave the registry and the open album
// consistent, and the routine that yielded must not undo it.

#include "AlbumKit.h"
#include "MemoryFs.h"

#include "core/AlbumCommands.h"
#include "core/AlbumFormat.h"
#include "core/AlbumNames.h"
#include "core/SongEntry.h"
#include "playback/ListAlbomModel.h"
#include "playback/Mpris.h"
#include "playback/NewPlayM.h"
#include "playback/PlayerCommands.h"
#include "playback/Sequencing.h"

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

// Albums a, b and c of 3, 4 and 5 songs, a open and playing its song 1, c
// remembering its song 2; the remote on the bus. The player's calls are
// traced together with the moments events run ("<" ... ">"). The disk is
// in memory: saving to a real one waits for it, hundreds of times here.
struct Desk : AlbumEnv {
    MemoryFs disk;
    std::unique_ptr<Mpris> remote;
    std::vector<std::unique_ptr<ListAlbomModel>> windows;

    Desk() {
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
        player.calls.clear();
        events.doEvents = 0;
        events.trace = &player.calls;
    }

    // A command whose file dialog ends at this album in AppDir.
    void chooseIn(void (*command)(), const char *album) {
        dialogs.files.enqueue(app(album));
        command();
    }

    // The album-list window (the one shown, if any), picking album b.
    void pickInWindow() {
        ListAlbomModel *window = frmListAlbom();
        if (!window) {
            windows.push_back(std::make_unique<ListAlbomModel>());
            window = windows.back().get();
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
        {"next album from the remote", [](Desk &) { NextAlbomM(); }},
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
    if (names != f.lstAlbomy.items() || g.AlbomUB != names.size() - 1)
        found << "registry and album list differ: " + registry();
    if (g.NameAlbom.isEmpty()) {
        if (g.NumAlbom != g.AlbomUB || names.value(g.NumAlbom) != kNewAlbum ||
            !f.ListPath.isEmpty())
            found << "new album not the last entry: " + openState();
    } else if (names.indexOf(g.NameAlbom) != g.NumAlbom ||
               AlbumFormat::parse(d.disk.bytes(d.app(g.NameAlbom))) != f.ListPath) {
        found << "open album is not its entry and file: " + openState();
    }
    // With no current song Play may resume the file of the album left.
    const bool playing = d.player.playState() == MediaPlayer::Playing;
    if (playing && g.NumPesni > -1 &&
        (g.NumPesni >= f.ListPath.size() || d.player.URL() != songPath(f.ListPath.at(g.NumPesni)) ||
         f.PlayList.ListIndex() != g.NumPesni || f.nazvanie() != f.PlayList.List(g.NumPesni) ||
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
        columns<QString, QString>("first", "second");
        for (const QString &first : deskCommands().keys())
            for (const QString &second : deskCommands().keys())
                QTest::newRow(qPrintable(first + " / " + second)) << first << second;
    }
    void commandAtEachYield() {
        QFETCH(QString, first);
        QFETCH(QString, second);
        // Until the first command lets events run fewer than n times.
        for (int n = 1;; ++n) {
            Desk d;
            bool stoppedInStart = false;
            atYield(d.events, n, [&d, &stoppedInStart, second] {
                const QStringList &calls = d.player.calls;
                stoppedInStart = second == "Stop" && calls.size() > 1 &&
                                 calls.at(calls.size() - 2).startsWith("url:");
                deskCommands()[second](d);
            });
            deskCommands()[first](d);
            if (d.events.pending)
                break;
            const QString wrong = faults(d, stoppedInStart);
            QVERIFY2(wrong.isEmpty(), qPrintable(QStringLiteral("yield %1: %2").arg(n).arg(wrong)));
        }
    }

    // The user double-clicks album c while a routine lets events run: while
    // the player loads a song of a ("play"), or while saving a as d rebuilds
    // the album list ("save"), before, inside or after the rebuild. c stays
    // the open album, with its own entry; its remembered song plays and stays
    // recorded for c, not the song of a.
    void albumOpenedMeanwhile_data() {
        // What d.alb remembers: once the save has recorded the song playing,
        // the album opened afterwards does not change that.
        columns<QString, int, QString>("first", "yield", "registry");
        row("while a song loads", "play", 1, "a.alb:1,b.alb:0,c.alb:2");
        row("before the rebuild", "save", 1, "a.alb:1,b.alb:0,c.alb:2,d.alb:0");
        row("inside the rebuild", "save", 2, "a.alb:1,b.alb:0,c.alb:2,d.alb:0");
        row("after the rebuild", "save", 3, "a.alb:1,b.alb:0,c.alb:2,d.alb:1");
    }
    void albumOpenedMeanwhile() {
        QFETCH(QString, first);
        QFETCH(int, yield);
        Desk d;
        // The row of c.alb in the list at that moment: d.alb sorts after it.
        atYield(d.events, yield, [] { doubleClickAlbum(2); });
        if (first == "play")
            NewPlayM(0);
        else
            QVERIFY(SaveFileM("d.alb"));
        QCOMPARE(openState(), "c.alb|2|2|0");
        QTEST(registry(), "registry");
        QCOMPARE(G().NumPesni, 2);
        QCOMPARE(frmForma().PlayList.ListIndex(), 2);
        QCOMPARE(frmForma().nazvanie(), "3.Song 2");
        QCOMPARE(d.player.calls.count("play"), 1);
        QVERIFY(frmForma().Caption().endsWith(" - c.alb"));
        if (first == "save")
            QCOMPARE(d.disk.bytes(d.app("d.alb")), albumFile(" 3 ", d.songsOnDisk(3)));
    }
};

QTEST_GUILESS_MAIN(TestReentry)
#include "tst_reentry.moc"
