#include "AlbumKit.h"

#include "core/AlbumCommands.h"
#include "core/AlbumFile.h"
#include "core/AlbumNames.h"

#include <QDir>

using namespace tv;
using namespace tv::test;

namespace {

// An album of n songs (files on disk) open from entry `index` of the list.
void openAlbum(LogicEnv &env, const QStringList &names, int index, int songs) {
    for (const QString &name : names)
        env.drives.put(env.app(name), albumFile(QString::number(songs), songsOnDisk(env, songs)));
    listAlbums(names);
    frmForma().lstAlbomy.setListIndex(index);
    QCOMPARE(OpenAlbomM(names.at(index)), 0);
    env.player.calls.clear();
}

void (*const kCommands[])() = {FileNew_Click, FileOpen_Click, lstAlbomy_DblClick};

} // namespace

class TestAlbumCommands : public QObject {
    Q_OBJECT
private slots:
    // New (twice: one placeholder), a song added, then Save: the bare name
    // chosen goes to AppDir and the saved album becomes the selected, open one.
    void newThenSave_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<QString>("written");
        QTest::newRow("Rock, dotted folder")
            << "E:/my.music/Rock" << QStringList{"a.alb", "c.alb", "Rock.alb"} << "Rock.alb";
        QTest::newRow("between the others")
            << "C:/Tonvela/b" << QStringList{"a.alb", "b.alb", "c.alb"} << "b.alb";
        QTest::newRow("backslashes")
            << "F:\\x.y\\Jazz.alb" << QStringList{"a.alb", "c.alb", "Jazz.alb"} << "Jazz.alb";
        QTest::newRow("own extension kept, not listed")
            << "F:/x/Jazz.m3u" << QStringList{"a.alb", "c.alb"} << "Jazz.m3u";
    }
    void newThenSave() {
        QFETCH(QString, chosen);
        QFETCH(QStringList, listed);
        QFETCH(QString, written);
        LogicEnv env;
        englishTexts();
        openAlbum(env, {"a.alb", "c.alb"}, 0, 1);
        env.player.force(MediaPlayer::Playing);
        env.windows.onAddFile = [] { frmForma().ListPath << "RC:/r.mp3"; };
        FileNew_Click();
        FileNew_Click();
        QCOMPARE(frmForma().lstAlbomy.items(), QStringList({"a.alb", "c.alb", "New"}));
        QCOMPARE(registry(), "a.alb:0,c.alb:0,:-1");
        QCOMPARE(G().NumAlbom, 2);
        QCOMPARE(frmForma().lstAlbomy.ListIndex(), 2);
        QCOMPARE(G().NumPesni, -1);
        QCOMPARE(G().NameAlbom, "");
        QCOMPARE(frmForma().Caption(), "Tonvela for MP3");
        QCOMPARE(frmForma().ListPath, QStringList{"RC:/r.mp3"});
        QCOMPARE(env.windows.calls.count("showAddFile"), 2);
        QVERIFY(env.dialogs.msgs.isEmpty());
        QVERIFY(env.player.playState() != MediaPlayer::Playing);

        G().NumPesni = 4;
        env.dialogs.files.enqueue(chosen);
        FileSave_Click();
        const FileDialogCall call = env.dialogs.fileCalls.value(0);
        QVERIFY(call.isSave);
        QCOMPARE(call.dir, G().AppDir);
        QCOMPARE(call.fileName, "New");
        QCOMPARE(call.filters,
                 QList<FileFilter>({{"Playlists (*.alb)", "*.alb"}, {"All Files (*.*)", "*.*"}}));
        QCOMPARE(env.drives.get(env.app(written)), QByteArray(" 1 \r\nRC:/r.mp3\r\n"));
        QCOMPARE(G().NameAlbom, written);
        QCOMPARE(G().AlbomChanged, 0);
        QCOMPARE(frmForma().Caption(), "Tonvela for MP3 - " + written);
        QCOMPARE(frmForma().lstAlbomy.items(), listed);
        const int selected = int(listed.indexOf(written));
        QCOMPARE(frmForma().lstAlbomy.ListIndex(), selected);
        QCOMPARE(G().NumAlbom, selected);
        if (selected >= 0)
            QCOMPARE(G().Alboms[selected].NumPesni, 4);
    }

    void saveOfTheOpenAlbumNeverAsks() {
        LogicEnv env;
        openAlbum(env, {"a.alb"}, 0, 2);
        frmForma().ListPath.removeLast();
        G().AlbomChanged = 1;
        FileSave_Click();
        QVERIFY(env.dialogs.fileCalls.isEmpty() && env.dialogs.msgs.isEmpty());
        QCOMPARE(env.drives.get(env.app("a.alb")), QByteArray(" 1 \r\nSong 0C:/Music/0.mp3\r\n"));
        FileSaveAs_Click();
        QCOMPARE(env.dialogs.fileCalls.value(0).fileName, "a.alb");
    }

    // New, Open and the album list first ask to save a changed album. Cancel,
    // or a Yes whose write fails, stops the command with the album still open.
    void theSaveQuestion_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("writeFails");
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
        LogicEnv env;
        englishTexts();
        openAlbum(env, {"a.alb", "b.alb"}, 0, 3);
        const QByteArray old = env.drives.get(env.app("a.alb"));
        const QString aFile = env.drives.native(env.app("a.alb"));
        if (writeFails)
            QFile::setPermissions(aFile, QFile::ReadOwner);
        frmForma().ListPath.removeFirst();
        const QStringList changed = frmForma().ListPath;
        G().AlbomChanged = 1;
        frmForma().lstAlbomy.setListIndex(1);
        env.dialogs.files.enqueue("C:/Tonvela/b.alb");
        env.dialogs.answers.enqueue(answer);

        kCommands[command]();
        QFile::setPermissions(aFile, QFile::ReadOwner | QFile::WriteOwner);
        QStringList said{"Save changes in playlist?"};
        if (writeFails)
            said << "File is protected from recording.";
        QCOMPARE(prompts(env.dialogs), said);
        QCOMPARE(env.dialogs.msgs[0].style, vbYesNoCancel + vbExclamation);
        const bool saved = answer == vbYes && !writeFails;
        QCOMPARE(env.drives.get(env.app("a.alb")), saved ? albumFile(" 2 ", changed) : old);
        if (answer == vbNo || saved) {
            QCOMPARE(G().NameAlbom, command == 0 ? "" : "b.alb");
            return;
        }
        QCOMPARE(frmForma().ListPath, changed);
        QCOMPARE(G().NameAlbom, "a.alb");
        QCOMPARE(G().AlbomChanged, 1);
        QCOMPARE(frmForma().lstAlbomy.items(), QStringList({"a.alb", "b.alb"}));
        QVERIFY(env.dialogs.fileCalls.isEmpty());
        QVERIFY(!env.windows.calls.contains("showAddFile"));
        QVERIFY(env.player.calls.isEmpty());
    }

    // A never-saved album: Yes opens the save dialog; when that ends without a
    // written file the command stops too, and the changes stay.
    void yesWithoutAWrittenFileStops_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<int>("replace");
        QTest::newRow("dialog cancelled") << "" << 0;
        QTest::newRow("replacing refused") << "C:/Tonvela/b.alb" << int(vbNo);
    }
    void yesWithoutAWrittenFileStops() {
        QFETCH(QString, chosen);
        QFETCH(int, replace);
        LogicEnv env;
        englishTexts();
        openAlbum(env, {"a.alb", "b.alb"}, 0, 1);
        const QByteArray b = env.drives.get(env.app("b.alb"));
        G().NameAlbom.clear();
        G().AlbomChanged = 1;
        env.dialogs.answers << vbYes << replace;
        env.dialogs.files << chosen;

        FileNew_Click();
        QCOMPARE(env.dialogs.fileCalls.size(), 1);
        QCOMPARE(env.drives.get(env.app("b.alb")), b);
        QCOMPARE(G().AlbomChanged, 1);
        QCOMPARE(frmForma().ListPath.size(), 1);
        QVERIFY(!env.windows.calls.contains("showAddFile"));
    }

    void enterOpensOnlyWhenItWentDownInTheList_data() {
        QTest::addColumn<int>("keyDown"); // where a key went down: 0 nowhere, 1 playlist, 2 here
        QTest::addColumn<int>("keyUp");
        QTest::addColumn<bool>("opens");
        QTest::newRow("enter pressed here") << 2 << 13 << true;
        QTest::newRow("enter pressed in the playlist") << 1 << 13 << false;
        QTest::newRow("enter with no press") << 0 << 13 << false;
        QTest::newRow("other key") << 2 << 32 << false;
    }
    void enterOpensOnlyWhenItWentDownInTheList() {
        QFETCH(int, keyDown);
        QFETCH(int, keyUp);
        QFETCH(bool, opens);
        LogicEnv env;
        openAlbum(env, {"a.alb", "b.alb"}, 0, 1);
        frmForma().lstAlbomy.setListIndex(1);
        frmForma().PlayKeyDown = keyDown == 1 ? 1 : 0;
        if (keyDown == 2)
            lstAlbomy_KeyPress();
        lstAlbomy_KeyUp(keyUp);
        QCOMPARE(G().NameAlbom, opens ? "b.alb" : "a.alb");
        QCOMPARE(frmForma().PlayKeyDown, 0);
    }

    // Open reads the chosen name from AppDir, whatever folder it was picked in.
    void openReadsTheBareNameFromAppDir_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("opened");
        QTest::newRow("same name in AppDir") << "E:/Other/c.alb" << true << "c.alb";
        QTest::newRow("no extension typed") << "E:/Other.dir/c" << true << "c.alb";
        QTest::newRow("not in AppDir") << "E:/Other/x.alb" << false << "a.alb";
    }
    void openReadsTheBareNameFromAppDir() {
        QFETCH(QString, chosen);
        QFETCH(bool, found);
        QFETCH(QString, opened);
        LogicEnv env;
        englishTexts();
        openAlbum(env, {"a.alb", "b.alb", "c.alb"}, 0, 3);
        env.drives.put(chosen, albumFile(" 1 ", {"ElsewhereE:/x.mp3"}));
        G().Alboms[0].NumPesni = 1;
        G().Alboms[2].NumPesni = 2;
        env.dialogs.files.enqueue(chosen);

        FileOpen_Click();
        QVERIFY(!env.dialogs.fileCalls[0].isSave);
        QCOMPARE(env.dialogs.fileCalls[0].dir, G().AppDir);
        QCOMPARE(env.dialogs.fileCalls[0].fileName, "");
        QCOMPARE(G().NameAlbom, opened);
        QCOMPARE(prompts(env.dialogs), found ? QStringList() : QStringList{"is not found."});
        QCOMPARE(frmForma().ListPath.size(), 3);
        // NumAlbom follows the opened album, and its remembered song starts.
        QCOMPARE(frmForma().lstAlbomy.List(G().NumAlbom), opened);
        QCOMPARE(frmForma().lstAlbomy.ListIndex(), G().NumAlbom);
        QCOMPARE(G().Alboms[0].NumPesni, 1);
        if (found)
            QCOMPARE(env.player.URL(), "C:/Music/2.mp3");
    }

    void doubleClick_data() {
        QTest::addColumn<QString>("opened");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("playing");
        QTest::newRow("the open album restarts its song") << "a.alb" << 0 << "C:/Music/1.mp3";
        QTest::newRow("another album") << "b.alb" << 1 << "C:/Music/0.mp3";
        QTest::newRow("nothing selected") << "a.alb" << -1 << "";
    }
    void doubleClick() {
        QFETCH(QString, opened);
        QFETCH(int, selected);
        QFETCH(QString, playing);
        LogicEnv env;
        openAlbum(env, {"a.alb", "b.alb"}, 0, 3);
        G().NumPesni = 1;
        // The open album is not read again.
        env.drives.put(env.app("a.alb"), " 0 \r\n");
        frmForma().lstAlbomy.setListIndex(selected);
        lstAlbomy_DblClick();
        QCOMPARE(G().NameAlbom, opened);
        QCOMPARE(frmForma().ListPath.size(), 3);
        QCOMPARE(env.player.calls.filter("url:"),
                 playing.isEmpty() ? QStringList() : QStringList{"url:" + playing});
        QVERIFY(env.events.doEvents > 0);
    }

    void doubleClickAfterSavingANewAlbumOpensTheClickedOne() {
        LogicEnv env;
        openAlbum(env, {"a.alb", "b.alb"}, 0, 2);
        FileNew_Click();
        frmForma().ListPath = {"NC:/n.mp3"};
        G().AlbomChanged = 1;
        frmForma().lstAlbomy.setListIndex(1);
        env.dialogs.answers.enqueue(vbYes);
        env.dialogs.files.enqueue("C:/Tonvela/Mine");
        lstAlbomy_DblClick();
        QCOMPARE(env.drives.get(env.app("Mine.alb")), QByteArray(" 1 \r\nNC:/n.mp3\r\n"));
        QCOMPARE(G().NameAlbom, "b.alb");
        QCOMPARE(frmForma().lstAlbomy.List(G().NumAlbom), "b.alb");
    }

    void refreshKeepsRememberedSongsByExactName() {
        LogicEnv env;
        for (const char *name : {"b.alb", "A.alb", "c.ALB", "d.txt"})
            env.drives.put(env.app(name), " 0 \r\n");
        QDir().mkpath(env.drives.native(env.app("dir.alb")));
        frmForma().lstAlbomy.setItems({"b.alb", "a.alb", "b.alb", "New"});
        resizeAlboms(3);
        G().Alboms = {{"b.alb", 4}, {"a.alb", 9}, {"b.alb", 7}, {"", -1}};
        frmForma().lstAlbomy.setListIndex(0);

        LoadAlbomInfoM();
        QCOMPARE(frmForma().lstAlbomy.items(), QStringList({"A.alb", "b.alb", "c.ALB"}));
        QCOMPARE(frmForma().lstAlbomy.ListIndex(), -1);
        QCOMPARE(G().AlbomUB, 2);
        QCOMPARE(registry(), "A.alb:0,b.alb:4,c.ALB:0");

        QDir(env.drives.native("C:/Tonvela")).removeRecursively();
        LoadAlbomInfoM();
        QCOMPARE(frmForma().lstAlbomy.ListCount(), 0);
        QCOMPARE(G().AlbomUB, -1);
        QVERIFY(G().Alboms.isEmpty());
    }

    void albumEntryIsFoundExactFirst() {
        LogicEnv env;
        listAlbums({"Rock.alb", "rock.alb"});
        QCOMPARE(selectAlbumEntry("rock.alb"), 1);
        QCOMPARE(selectAlbumEntry("ROCK.alb"), 0);
        QCOMPARE(selectAlbumEntry("pop.alb"), -1);
        QCOMPARE(frmForma().lstAlbomy.ListIndex(), -1);
    }
};

QTEST_GUILESS_MAIN(TestAlbumCommands)
#include "tst_albumcommands.moc"
