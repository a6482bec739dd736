#include "AlbumKit.h"

#include "core/AlbumCommands.h"
#include "core/AlbumFormat.h"
#include "core/AlbumList.h"
#include "core/Settings.h"
#include "core/TextLines.h"
#include "playback/PlayerCommands.h"
#include "playback/Sequence.h"

#include <QCoreApplication>
#include <QDir>
#include <memory>

using namespace tv;
using namespace tv::test;

// Album files read and saved, and the commands that open and save them.
class TestAlbumCommands : public QObject {
    Q_OBJECT
    // What stands at the target name before a save.
    // Torn: a song of the album holds a line break.
    enum Target { None, Exists, ReadOnly, Folder, Full, Torn };

    std::unique_ptr<AlbumEnv> env;

private slots:
    void init() { env = std::make_unique<AlbumEnv>(); }
    void cleanup() { env.reset(); }

    // An album is read and the same playlist written back: these bytes.
    void readThenWrite_data() {
        columns<QByteArray, QByteArray>("bytes", "written");
        const QByteArray cyrillic(" 1 \r\n\xC7\xE0\xF0\xFF C:/\xCC\xF3\xE7\xFB\xEA\xE0/z.mp3\r\n");
        const QByteArray utf8(
            "\xEF\xBB\xBF 2 \r\n\xE9\x9F\xB3\xE6\xA5\xBD C:/\xE9\x9F\xB3/a.mp3\r\n"
            "\xD0\x97\xD0\xB0 C:/m/z.mp3\r\n");
        const QStringList three = {"  Lead, x C:/m/1.mp3", "Live: Act 2E:/l/2.mp3",
                                   "a:b:cC:/m/u.mp3"};
        row("commas colons blanks", albumFile(" 3 ", three), albumFile(" 3 ", three));
        row("count far too large", albumFile(" 2000000000 ", three), albumFile(" 3 ", three));
        row("count below the lines", albumFile(" 1 ", three), albumFile(" 1 ", three.mid(0, 1)));
        row("negative count", albumFile("-5 ", three), QByteArray(" 0 \r\n"));
        row("empty file", QByteArray(), QByteArray(" 0 \r\n"));
        row("cyrillic in 1251", cyrillic, cyrillic);
        row("beyond 1251: utf-8 behind a mark", utf8, utf8);
        row("utf-8 that 1251 holds", QByteArray("\xEF\xBB\xBF 1 \r\n\xD0\x96") + "C:/a.mp3\r\n",
            QByteArray(" 1 \r\n\xC6") + "C:/a.mp3\r\n");
    }
    void readThenWrite() {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, written);
        env->drives.put(env->app("a.alb"), bytes);
        listAlbums({"a.alb"});
        frmForma().lstAlbomy.setListIndex(0);
        // A playlist that a failed read would leave, and that must not play.
        frmForma().ListPath = env->songsOnDisk(2);
        G().AlbomChanged = 1;

        QCOMPARE(OpenAlbomM("a.alb"), 0);
        QCOMPARE(frmForma().ListPath, TextLines::decode(written).mid(1));
        QCOMPARE(openState(), "a.alb|0|0|0");
        QCOMPARE(G().NameEndAlbom, "a.alb");
        QCOMPARE(frmForma().Caption(), "Tonvela for MP3 - a.alb");
        // The songs' files are not there: that is for the song start to say.
        QVERIFY(!env->said().startsWith("is not found."));
        QVERIFY(env->player.calls.isEmpty());

        env->drives.put(env->app("a.alb"), "overwritten");
        SaveFileM("a.alb");
        QCOMPARE(env->drives.get(env->app("a.alb")), written);
    }

    void rememberedSongStarts_data() {
        columns<int, int, int, int>("selected", "remembered", "current", "started");
        QTest::newRow("past the end starts the first") << 0 << 7 << -1 << 0;
        QTest::newRow("none yet starts the first") << 0 << -1 << 4 << 0;
        QTest::newRow("no entry selected keeps the current") << -1 << 3 << 2 << 2;
    }
    void rememberedSongStarts() {
        QFETCH(int, selected);
        QFETCH(int, remembered);
        QFETCH(int, current);
        QFETCH(int, started);
        env->drives.put(env->app("five.alb"), albumFile(" 5 ", env->songsOnDisk(5)));
        listAlbums({"five.alb"});
        G().Alboms[0].NumPesni = remembered;
        frmForma().lstAlbomy.setListIndex(selected);
        G().NumPesni = current;

        QCOMPARE(OpenAlbomM("five.alb"), 0);
        QCOMPARE(G().NumAlbom, selected);
        QCOMPARE(G().NumPesni, started);
        QCOMPARE(env->player.URL(), QStringLiteral("C:/Music/%1.mp3").arg(started));
        QCOMPARE(registry(), "five.alb:" + QString::number(selected < 0 ? remembered : started));
    }

    void readDropsNewAndFailuresChangeNothing_data() {
        columns<QString, int, QString>("name", "result", "message");
        row("missing file", "gone.alb", 1, "is not found.");
        row("folder of that name", "dir.alb", 1, "File open not probably.");
        row("a FIFO of that name", "fifo.alb", 1, "File open not probably.");
        row("a link to /dev/zero", "zero.alb", 1, "File open not probably.");
        row("the read succeeds", "a.alb", 0, "");
    }
    // The "New" placeholder goes whether or not the read succeeds.
    void readDropsNewAndFailuresChangeNothing() {
        QFETCH(QString, name);
        env->drives.put(env->app("a.alb"), " 0 \r\n");
        QDir().mkpath(env->drives.native(env->app("dir.alb")));
        env->drives.putOdd(env->app("fifo.alb"), "fifo");
        env->drives.putOdd(env->app("zero.alb"), "/dev/zero");
        listAlbums({"a.alb", "New"});
        G().Alboms[1].NumPesni = -1;
        const QStringList songs = frmForma().ListPath = env->songsOnDisk(2);
        G().NameAlbom = "old.alb";
        G().AlbomChanged = 1;
        G().ShowForm = false;
        bool visibleAtMsg = false;
        env->dialogs.onMsg = [&](const MsgCall &) { visibleAtMsg = frmForma().Visible(); };

        QTEST(OpenAlbomM(name), "result");
        QCOMPARE(frmForma().lstAlbomy.items(), QStringList{"a.alb"});
        QCOMPARE(registry(), "a.alb:0");
        QTEST(env->said(), "message");
        if (env->dialogs.msgs.isEmpty())
            return;
        QCOMPARE(env->dialogs.msgs[0].style, vbOKOnly + vbCritical);
        // The message needs its window on screen, painted, also from the tray.
        QVERIFY(visibleAtMsg && !G().ShowForm);
        QCOMPARE(env->events.doEvents, 1);
        QCOMPARE(frmForma().ListPath, songs);
        QCOMPARE(openState(), "old.alb|0|-1|1");
    }

    // Saving under a name: who is asked, what is said, what is left on disk.
    void save_data() {
        // answer: to the replace question.
        columns<QString, int, QString, int, QString>("open", "fault", "target", "answer", "said");
        const QString ask = "File already exists.\r\nReplace him?";
        const QString readOnly = "File is protected from recording.";
        const QString cantSave = "File save not probably.";
        QTest::newRow("own name") << "a.alb" << int(Exists) << "a.alb" << 0 << "";
        QTest::newRow("own name other case") << "a.alb" << int(Exists) << "A.ALB" << 0 << "";
        QTest::newRow("new name, free") << "a.alb" << int(None) << "Pop.alb" << 0 << "";
        QTest::newRow("name taken, no") << "a.alb" << int(Exists) << "Pop.alb" << int(vbNo) << ask;
        QTest::newRow("name taken, yes") << "" << int(Exists) << "Pop.alb" << int(vbYes) << ask;
        QTest::newRow("read-only file") << "a.alb" << int(ReadOnly) << "a.alb" << 0 << readOnly;
        QTest::newRow("folder of that name") << "a.alb" << int(Folder) << "d.alb" << 0 << readOnly;
        QTest::newRow("missing folder") << "a.alb" << int(None) << "nowhere/a.alb" << 0 << cantSave;
        QTest::newRow("disk full") << "a.alb" << int(Full) << "a.alb" << 0 << cantSave;
        QTest::newRow("a song would break its line")
            << "a.alb" << int(Torn) << "a.alb" << 0 << cantSave;
    }
    void save() {
        QFETCH(QString, open);
        QFETCH(int, fault);
        QFETCH(QString, target);
        QFETCH(int, answer);
        const QString native = env->drives.native(env->app(target));
        env->drives.put(env->app("a.alb"), "old");
        if (fault != None && fault != Folder)
            env->drives.put(env->app(target), "old");
        listAlbums({"a.alb"});
        WatchedFs disk(*env);
        disk.full = fault == Full;
        if (fault == ReadOnly)
            QFile::setPermissions(native, QFile::ReadOwner | QFile::ReadGroup);
        if (fault == Folder)
            QDir().mkpath(native);
        G().NameAlbom = G().NameEndAlbom = open;
        G().AlbomChanged = 1;
        frmForma().ListPath = {"NewC:/new.mp3"};
        if (fault == Torn)
            frmForma().ListPath = {"x\r\n 9 \r\nEvilZ:/etc/passwdC:/x.mp3", "NewC:/new.mp3"};
        env->dialogs.answers.enqueue(answer ? answer : vbNo);

        SaveFileM(target);
        QTEST(env->said(), "said");
        const bool written = env->dialogs.msgs.isEmpty() || answer == vbYes;
        if (!env->dialogs.msgs.isEmpty())
            QCOMPARE(env->dialogs.msgs[0].style,
                     answer ? vbYesNo + vbExclamation + vbDefaultButton2 : vbOKOnly + vbCritical);
        const QByteArray before = fault == None || fault == Folder ? "" : "old";
        QCOMPARE(env->drives.get(env->app(target)),
                 written ? albumFile(" 1 ", {"NewC:/new.mp3"}) : before);
        if (!written)
            QCOMPARE(env->drives.get(env->app("a.alb")), "old");
        const QString name = written ? target : open;
        QCOMPARE(QStringList({G().NameAlbom, G().NameEndAlbom, QString::number(G().AlbomChanged)}),
                 QStringList({name, name, written ? "0" : "1"}));
    }

    // New (twice: one placeholder), a song added, then Save: the bare name
    // chosen goes to AppDir and the saved album becomes the selected, open one,
    // remembering the song playing, song 0 when none was started. Named now,
    // it is saved again without a question; Save as offers its name.
    void newThenSave_data() {
        columns<QString, QString, QString, int>("chosen", "listed", "written", "song");
        row("dotted folder, no song started", "E:/my.music/b", "a.alb|b.alb|c.alb", "b.alb", -1);
        row("backslashes", "F:\\x.y\\Jazz.alb", "a.alb|c.alb|Jazz.alb", "Jazz.alb", 4);
        row("own extension, not listed", "F:/x/J.m3u", "a.alb|c.alb", "J.m3u", 4);
    }
    void newThenSave() {
        QFETCH(QString, chosen);
        QFETCH(QString, listed);
        QFETCH(QString, written);
        QFETCH(int, song);
        env->openAlbum({"a.alb", "c.alb"}, 0, 1);
        env->player.force(MediaPlayer::Playing);
        env->windows.onAddFile = [] { frmForma().ListPath << "RC:/r.mp3"; };
        FileNew_Click();
        FileNew_Click();
        QCOMPARE(frmForma().lstAlbomy.items().join('|'), "a.alb|c.alb|New");
        QCOMPARE(registry(), "a.alb:0,c.alb:0,:-1");
        QCOMPARE(openState(), "|2|2|0");
        QCOMPARE(G().NumPesni, -1);
        QCOMPARE(frmForma().Caption(), "Tonvela for MP3");
        QCOMPARE(env->windows.calls.count("showAddFile"), 2);
        QVERIFY(env->player.playState() != MediaPlayer::Playing);

        G().NumPesni = song;
        env->dialogs.files.enqueue(chosen);
        FileSave_Click();
        QCOMPARE(env->fileDialog(), "save C:/Tonvela/New");
        QCOMPARE(env->drives.get(env->app(written)), QByteArray(" 1 \r\nRC:/r.mp3\r\n"));
        QCOMPARE(frmForma().Caption(), "Tonvela for MP3 - " + written);
        QCOMPARE(frmForma().lstAlbomy.items().join('|'), listed);
        const int selected = int(listed.split('|').indexOf(written));
        QCOMPARE(openState(), QStringLiteral("%1|%2|%2|0").arg(written).arg(selected));
        QCOMPARE(G().Alboms.value(selected).NumPesni, selected >= 0 ? qMax(song, 0) : 0);

        frmForma().ListPath.removeLast();
        FileSave_Click();
        QCOMPARE(env->dialogs.fileCalls.size() + env->dialogs.msgs.size(), 1);
        QCOMPARE(env->drives.get(env->app(written)), QByteArray(" 0 \r\n"));
        env->dialogs.fileCalls.clear();
        FileSaveAs_Click();
        QCOMPARE(env->fileDialog(), "save C:/Tonvela/" + written);
    }

    // New, Open and the album list first ask to save a changed album. Cancel,
    // or a Yes whose write fails, stops the command with the album still open.
    void theSaveQuestion_data() {
        columns<int, int, bool>("command", "answer", "writeFails");
        const char *names[] = {"new", "open", "album list"};
        for (int command = 0; command < 3; ++command) {
            QTest::addRow("%s, cancel", names[command]) << command << int(vbCancel) << false;
            QTest::addRow("%s, write fails", names[command]) << command << int(vbYes) << true;
            QTest::addRow("%s, no", names[command]) << command << int(vbNo) << false;
            QTest::addRow("%s, yes", names[command]) << command << int(vbYes) << false;
        }
    }
    void theSaveQuestion() {
        QFETCH(int, command);
        QFETCH(int, answer);
        QFETCH(bool, writeFails);
        env->openAlbum({"a.alb", "b.alb"}, 0, 3);
        const QByteArray old = env->drives.get(env->app("a.alb"));
        if (writeFails)
            QFile::setPermissions(env->drives.native(env->app("a.alb")), QFile::ReadOwner);
        frmForma().ListPath.removeFirst();
        const QStringList changed = frmForma().ListPath;
        G().AlbomChanged = 1;
        frmForma().lstAlbomy.setListIndex(1);
        env->dialogs.files.enqueue("C:/Tonvela/b.alb");
        env->dialogs.answers.enqueue(answer);

        void (*const commands[])() = {FileNew_Click, FileOpen_Click, lstAlbomy_DblClick};
        commands[command]();
        const QString protectedFile = "|File is protected from recording.";
        QCOMPARE(env->said(), "Save changes in playlist?" + (writeFails ? protectedFile : ""));
        QCOMPARE(env->dialogs.msgs[0].style, vbYesNoCancel + vbExclamation);
        const bool saved = answer == vbYes && !writeFails;
        QCOMPARE(env->drives.get(env->app("a.alb")), saved ? albumFile(" 2 ", changed) : old);
        if (answer == vbNo || saved) {
            QCOMPARE(G().NameAlbom, command == 0 ? "" : "b.alb");
            return;
        }
        // Nothing of the command happened before the question either.
        QCOMPARE(openState(), "a.alb|0|1|1");
        QCOMPARE(frmForma().ListPath, changed);
        QCOMPARE(frmForma().lstAlbomy.items().join('|'), "a.alb|b.alb");
        QVERIFY(env->dialogs.fileCalls.isEmpty() && env->player.calls.isEmpty());
    }

    // A never-saved album, changed, and another album double-clicked: Yes
    // opens the save dialog; when that ends without a written file the
    // command stops and the changes stay. Saving rebuilds the list and selects
    // the saved album; the album clicked opens all the same.
    void yesOnANeverSavedAlbum_data() {
        columns<QString, QString>("file", "state");
        row("the dialog cancelled", QString(), "|2|1|1");
        row("replacing b.alb refused", "C:/Tonvela/b.alb", "|2|1|1");
        row("saved", "C:/Tonvela/Mine", "b.alb|1|1|0");
    }
    void yesOnANeverSavedAlbum() {
        QFETCH(QString, file);
        env->openAlbum({"a.alb", "b.alb"}, 0, 2);
        const QByteArray b = env->drives.get(env->app("b.alb"));
        FileNew_Click();
        frmForma().ListPath = {"NC:/n.mp3"};
        G().AlbomChanged = 1;
        frmForma().lstAlbomy.setListIndex(1);
        env->dialogs.answers << vbYes << vbNo;
        env->dialogs.files << file;
        lstAlbomy_DblClick();
        QCOMPARE(env->fileDialog(), "save C:/Tonvela/New");
        QCOMPARE(env->drives.get(env->app("b.alb")), b);
        QCOMPARE(env->drives.get(env->app("Mine.alb")),
                 QByteArray(file.endsWith("Mine") ? " 1 \r\nNC:/n.mp3\r\n" : ""));
        QTEST(openState(), "state");
    }

    // A double-click (key 0) in the album list, or Enter let go there: it
    // counts only when it went down there too (down: where a key went down
    // before, "" nowhere). The open album is not read again.
    void theAlbumList_data() {
        columns<int, QString, int, QString, QString>("selected", "down", "key", "opened", "played");
        const QString song0 = "url:C:/Music/0.mp3";
        row("double-click: the open album restarts its song", 0, "", 0, "a.alb",
            "url:C:/Music/1.mp3");
        row("double-click: another album", 1, "", 0, "b.alb", song0);
        row("double-click: nothing selected", -1, "", 0, "a.alb", "");
        row("enter pressed here", 1, "here", 13, "b.alb", song0);
        row("enter pressed in the playlist", 1, "playlist", 13, "a.alb", "");
        row("other key", 1, "here", 32, "a.alb", "");
    }
    void theAlbumList() {
        QFETCH(int, selected);
        QFETCH(QString, down);
        QFETCH(int, key);
        env->openAlbum({"a.alb", "b.alb"}, 0, 3);
        G().NumPesni = 1;
        env->drives.put(env->app("a.alb"), " 0 \r\n");
        frmForma().lstAlbomy.setListIndex(selected);
        frmForma().PlayKeyDown = down == "playlist" ? 1 : 0;
        if (down == "here")
            lstAlbomy_KeyPress();
        if (key == 0)
            lstAlbomy_DblClick();
        else
            lstAlbomy_KeyUp(key);
        QTEST(G().NameAlbom, "opened");
        QTEST(env->player.calls.filter("url:").join('|'), "played");
        QCOMPARE(frmForma().PlayKeyDown, key ? 0 : int(down == "playlist"));
    }

    // Song 2 of a.alb is left at a position for b.alb, then a.alb is opened
    // again: it goes on there, whichever way it is opened, unless it was left
    // in its last five seconds (its next song starts) or it is no longer the
    // album whose song that was.
    void everyAlbumPicksUpWhereItStopped_data() {
        // way: how a.alb is opened again; played: the player's calls then.
        columns<double, QString, QString>("at", "way", "played");
        const QString song1 = "url:C:/Music/1.mp3", song2 = "url:C:/Music/2.mp3";
        row("the album list", 61.5, "list", song1 + "|pos:61.5");
        // Open takes the remembered song from the selected entry (b.alb's).
        row("the Open command, b.alb selected: another song", 61.5, "open", "url:C:/Music/0.mp3");
        row("the other album's end", 61.5, "end", song1 + "|pos:61.5");
        row("at its very start", 0.0, "list", song1 + "|pos:0");
        row("in its last five seconds", 176.0, "list", song1 + "|" + song2);
        row("stopped: from the start", 61.5, "stop list", song1 + "|pos:0");
        row("saved as c.alb first: c.alb goes on", 61.5, "save list", song1);
        row("saved as c.alb first, c.alb opened", 61.5, "save c", song1 + "|pos:61.5");
    }
    void everyAlbumPicksUpWhereItStopped() {
        QFETCH(double, at);
        QFETCH(QString, way);
        env->openAlbum({"a.alb", "b.alb"}, 0, 3);
        connectPlayback();
        NewPlayM(1);
        env->player.know(180);
        env->player.setCurrentPosition(at);
        if (way.contains("stop"))
            MusicStop_Click();
        if (way.contains("save")) {
            QVERIFY(SaveFileM("c.alb"));
            selectAlbumEntry("b.alb");
        } else
            frmForma().lstAlbomy.setListIndex(1);
        lstAlbomy_DblClick();
        QCOMPARE(G().NameAlbom, QString("b.alb"));
        env->player.calls.clear();
        if (way == "open")
            QCOMPARE(OpenAlbomM("a.alb"), 0);
        else if (way == "end") {
            frmForma().MusicNonStop.setChecked(true);
            NewPlayM(2);
            env->player.finish();
            env->player.calls.clear();
            tmrEndSound_Timer();
        } else {
            selectAlbumEntry(way.endsWith(" c") ? "c.alb" : "a.alb");
            lstAlbomy_DblClick();
        }
        QCoreApplication::processEvents();
        QTEST(env->player.calls.filter(QRegularExpression("url:|pos:")).join('|'), "played");
    }

    // Open reads the chosen name from AppDir, whatever folder it was picked in,
    // into the registry entry of that name; its remembered song starts.
    void openReadsTheBareNameFromAppDir_data() {
        columns<QString, QString, QString, QString>("chosen", "state", "said", "played");
        const QString two = "url:C:/Music/2.mp3";
        row("same name in AppDir", "E:/Other/c.alb", "c.alb|2|2|0", "", two);
        row("no extension typed", "E:/Other.dir/c", "c.alb|2|2|0", "", two);
        row("not in AppDir", "E:/Other/x.alb", "a.alb|0|0|0", "is not found.", "");
    }
    void openReadsTheBareNameFromAppDir() {
        QFETCH(QString, chosen);
        env->openAlbum({"a.alb", "b.alb", "c.alb"}, 0, 3);
        env->drives.put(chosen, albumFile(" 1 ", {"ElsewhereE:/x.mp3"}));
        G().Alboms[0].NumPesni = 1;
        G().Alboms[2].NumPesni = 2;
        env->dialogs.files.enqueue(chosen);

        FileOpen_Click();
        QCOMPARE(env->fileDialog(), "open C:/Tonvela/");
        QTEST(openState(), "state");
        QTEST(env->said(), "said");
        QTEST(env->player.calls.filter("url:").join('|'), "played");
        QCOMPARE(G().Alboms[0].NumPesni, 1);
    }

    void refreshKeepsRememberedSongsByExactName() {
        for (const char *name : {"b.alb", "A.alb", "c.ALB", "d.txt"})
            env->drives.put(env->app(name), " 0 \r\n");
        setAlbumList({{"b.alb", 4}, {"a.alb", 9}, {"b.alb", 7}, {"New", -1}});
        frmForma().lstAlbomy.setListIndex(0);

        LoadAlbomInfoM();
        QCOMPARE(frmForma().lstAlbomy.items().join('|'), "A.alb|b.alb|c.ALB");
        QCOMPARE(frmForma().lstAlbomy.ListIndex(), -1);
        QCOMPARE(registry(), "A.alb:0,b.alb:4,c.ALB:0");

        QDir(env->drives.native("C:/Tonvela")).removeRecursively();
        LoadAlbomInfoM();
        QCOMPARE(frmForma().lstAlbomy.ListCount(), 0);
        QCOMPARE(registry(), "");
    }

    // Names with a control character (legal on Linux, not on Windows) would
    // write lines of their own into the settings file: they are not opened and
    // not saved to. The file is listed, if at all, under a name that keeps to
    // its line (its stand-ins).
    void namesWithControlCharactersAreNoAlbums() {
        const QString name = "x\n[language]\n1\n.alb";
        env->openAlbum({"a.alb"}, 0, 1);
        env->drives.put(env->app(name), " 0 \r\n");
        LoadAlbomInfoM();
        const QStringList listed = frmForma().lstAlbomy.items();
        QCOMPARE(listed.first(), "a.alb");
        for (const QString &album : listed)
            QVERIFY(TextLines::fitsLine(album));

        env->dialogs.files << env->app(name) << env->app(name);
        FileOpen_Click();
        QCOMPARE(env->said(), "File open not probably.");
        QCOMPARE(G().NameAlbom + '|' + G().NameEndAlbom, "a.alb|a.alb");

        env->dialogs.msgs.clear();
        frmForma().ListPath << "NewC:/n.mp3";
        FileSaveAs_Click();
        QCOMPARE(env->said(), "File save not probably.");
        QCOMPARE(env->drives.get(env->app(name)), QByteArray(" 0 \r\n"));
        QCOMPARE(G().NameAlbom, "a.alb");
        QCOMPARE(frmForma().lstAlbomy.items(), listed);
    }

    // Save's reselect, Open and the album-list window find an album's entry
    // by its exact name first, and only then regardless of case.
    void albumEntryIsFoundExactFirst() {
        listAlbums({"Rock.alb", "rock.alb"});
        QCOMPARE(selectAlbumEntry("rock.alb"), 1);
        QCOMPARE(selectAlbumEntry("ROCK.alb"), 0);
        QCOMPARE(selectAlbumEntry("pop.alb"), -1);
        QCOMPARE(frmForma().lstAlbomy.ListIndex(), -1);
    }
};

QTEST_GUILESS_MAIN(TestAlbumCommands)
#include "tst_albumcommands.moc"
