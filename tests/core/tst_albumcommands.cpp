#include "AlbumKit.h"

#include "core/AlbumCommands.h"
#include "core/AlbumFile.h"
#include "core/AlbumNames.h"

#include <QDir>

using namespace tv;
using namespace tv::test;

namespace {

const QByteArray kOneSong(" 1 \r\nAC:/a.mp3\r\n");

// An album of n songs (files on disk) open from entry `index` of the list.
void openAlbum(LogicEnv &env, const QStringList &names, int index, int songs) {
    for (const QString &name : names)
        env.drives.put(env.app(name), albumFile(QString::number(songs), songsOnDisk(env, songs)));
    listAlbums(names);
    frmForma().lstAlbomy.setListIndex(index);
    QCOMPARE(OpenAlbomM(names.at(index)), 0);
    env.player.calls.clear();
}

enum class Command { New, Open, AlbumList };

void run(Command command) {
    switch (command) {
    case Command::New:
        FileNew_Click();
        break;
    case Command::Open:
        FileOpen_Click();
        break;
    case Command::AlbumList:
        lstAlbomy_DblClick();
        break;
    }
}

} // namespace

Q_DECLARE_METATYPE(Command)

class TestAlbumCommands : public QObject {
    Q_OBJECT
private slots:
    void newTwiceAddsOnePlaceholder() {
        LogicEnv env;
        englishTexts();
        openAlbum(env, {"a.alb"}, 0, 2);
        env.player.force(MediaPlayer::Playing);
        env.player.calls.clear();

        FileNew_Click();
        FileNew_Click();
        QCOMPARE(frmForma().lstAlbomy.items(), QStringList({"a.alb", "New"}));
        QCOMPARE(G().AlbomUB, 1);
        QCOMPARE(G().Alboms.size(), 2);
        QCOMPARE(G().Alboms[0].Name, "a.alb");
        QCOMPARE(G().Alboms[1].NumPesni, -1);
        QCOMPARE(G().NumAlbom, 1);
        QCOMPARE(frmForma().lstAlbomy.ListIndex(), 1);
        QCOMPARE(G().NumPesni, -1);
        QCOMPARE(G().NameAlbom, "");
        QCOMPARE(G().AlbomChanged, 0);
        QCOMPARE(frmForma().Caption(), "Tonvela for MP3");
        QVERIFY(frmForma().ListPath.isEmpty());
        QCOMPARE(frmForma().PlayList.ListCount(), 0);
        QCOMPARE(env.windows.calls.count("showAddFile"), 2);
        QVERIFY(env.player.playState() != MediaPlayer::Playing);
    }

    void newThenSaveAsRock() {
        LogicEnv env;
        englishTexts();
        openAlbum(env, {"b.alb"}, 0, 1);
        env.windows.onAddFile = [] {
            frmForma().ListPath << "RC:/r.mp3";
            frmForma().PlayList.appendRow();
        };
        FileNew_Click();
        env.dialogs.files.enqueue("E:/my.music/Rock");
        FileSaveAs_Click();

        QCOMPARE(env.dialogs.fileCalls.size(), 1);
        const FileDialogCall call = env.dialogs.fileCalls[0];
        QVERIFY(call.isSave);
        QCOMPARE(call.dir, G().AppDir);
        QCOMPARE(call.fileName, "New");
        QCOMPARE(call.filters,
                 QList<FileFilter>({{"Playlists (*.alb)", "*.alb"}, {"All Files (*.*)", "*.*"}}));
        QCOMPARE(env.drives.get(env.app("Rock.alb")), QByteArray(" 1 \r\nRC:/r.mp3\r\n"));
        QVERIFY(!env.drives.exists("E:/my.music/Rock.alb"));
        QCOMPARE(frmForma().lstAlbomy.items(), QStringList({"b.alb", "Rock.alb"}));
        QCOMPARE(frmForma().lstAlbomy.ListIndex(), 1);
        QCOMPARE(G().NumAlbom, 1);
        QCOMPARE(G().AlbomUB, 1);
        QCOMPARE(G().NameAlbom, "Rock.alb");
    }

    void saveAsNames_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("written");
        QTest::addColumn<int>("selected");
        QTest::newRow("no extension") << "C:/Tonvela/Jazz"
                                      << "Jazz.alb" << 1;
        QTest::newRow("other folder") << "F:/x/Jazz.alb"
                                      << "Jazz.alb" << 1;
        QTest::newRow("backslashes") << "F:\\x.y\\Jazz"
                                     << "Jazz.alb" << 1;
        QTest::newRow("own extension kept, not listed") << "F:/x/Jazz.m3u"
                                                        << "Jazz.m3u" << -1;
    }
    void saveAsNames() {
        QFETCH(QString, chosen);
        QFETCH(QString, written);
        QFETCH(int, selected);
        LogicEnv env;
        openAlbum(env, {"a.alb"}, 0, 1);
        env.dialogs.files.enqueue(chosen);
        SaveAsM();
        QCOMPARE(env.dialogs.fileCalls[0].fileName, "a.alb");
        QCOMPARE(env.drives.get(env.app(written)), albumFile(" 1 ", songsOnDisk(env, 1)));
        QCOMPARE(frmForma().lstAlbomy.ListIndex(), selected);
        QCOMPARE(G().NumAlbom, selected);
        QCOMPARE(G().NameAlbom, written);
    }

    void saveWritesTheOpenAlbumWithoutAsking() {
        LogicEnv env;
        openAlbum(env, {"a.alb"}, 0, 2);
        frmForma().ListPath.removeLast();
        G().AlbomChanged = 1;
        FileSave_Click();
        QVERIFY(env.dialogs.fileCalls.isEmpty());
        QVERIFY(env.dialogs.msgs.isEmpty());
        QCOMPARE(env.drives.get(env.app("a.alb")), QByteArray(" 1 \r\nSong 0C:/Music/0.mp3\r\n"));
        QCOMPARE(G().AlbomChanged, 0);
    }

    void saveOfANewAlbumShowsTheDialog() {
        LogicEnv env;
        FileNew_Click();
        FileSave_Click();
        QCOMPARE(env.dialogs.fileCalls.size(), 1);
        QCOMPARE(env.dialogs.fileCalls[0].fileName, "New");
        QCOMPARE(frmForma().lstAlbomy.items(), QStringList{"New"});
    }

    void anExistingTargetAsksAndNoKeepsIt() {
        LogicEnv env;
        englishTexts();
        openAlbum(env, {"a.alb", "b.alb"}, 0, 1);
        const QByteArray other = env.drives.get(env.app("b.alb"));
        frmForma().ListPath.clear();
        G().AlbomChanged = 1;
        env.dialogs.files.enqueue("C:/Tonvela/b.alb");
        env.dialogs.answers.enqueue(vbNo);
        FileSaveAs_Click();
        QCOMPARE(prompts(env.dialogs), QStringList{"File already exists.\r\nReplace him?"});
        QCOMPARE(env.drives.get(env.app("b.alb")), other);
        QCOMPARE(G().NameAlbom, "a.alb");
        QCOMPARE(G().AlbomChanged, 1);
    }

    void cancelInTheSaveQuestionStops_data() {
        QTest::addColumn<Command>("command");
        QTest::newRow("new") << Command::New;
        QTest::newRow("open") << Command::Open;
        QTest::newRow("album list") << Command::AlbumList;
    }
    void cancelInTheSaveQuestionStops() {
        QFETCH(Command, command);
        LogicEnv env;
        englishTexts();
        openAlbum(env, {"a.alb", "b.alb"}, 0, 3);
        frmForma().ListPath.removeFirst();
        G().AlbomChanged = 1;
        frmForma().lstAlbomy.setListIndex(1);
        env.dialogs.files.enqueue("C:/Tonvela/b.alb");
        env.dialogs.answers.enqueue(vbCancel);

        run(command);
        QCOMPARE(prompts(env.dialogs), QStringList{"Save changes in playlist?"});
        QCOMPARE(env.dialogs.msgs[0].style, vbYesNoCancel + vbExclamation);
        QCOMPARE(frmForma().ListPath.size(), 2);
        QCOMPARE(G().NameAlbom, "a.alb");
        QCOMPARE(G().AlbomChanged, 1);
        QCOMPARE(frmForma().lstAlbomy.items(), QStringList({"a.alb", "b.alb"}));
        QVERIFY(env.dialogs.fileCalls.isEmpty());
        QVERIFY(!env.windows.calls.contains("showAddFile"));
        QVERIFY(env.player.calls.isEmpty());
    }

    void saveQuestion_data() {
        QTest::addColumn<int>("changed");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("dialogFile");
        QTest::addColumn<int>("result");
        QTest::addColumn<bool>("saved");
        QTest::newRow("unchanged asks nothing") << 0 << "a.alb" << 0 << "" << 0 << false;
        QTest::newRow("no") << 1 << "a.alb" << int(vbNo) << "" << int(vbNo) << false;
        QTest::newRow("yes saves the open album")
            << 1 << "a.alb" << int(vbYes) << "" << int(vbYes) << true;
        QTest::newRow("yes for a new album asks for a name")
            << 1 << "" << int(vbYes) << "C:/Tonvela/a.alb" << int(vbYes) << true;
        QTest::newRow("yes, dialog cancelled, goes on")
            << 1 << "" << int(vbYes) << "" << int(vbYes) << false;
    }
    void saveQuestion() {
        QFETCH(int, changed);
        QFETCH(QString, name);
        QFETCH(int, answer);
        QFETCH(QString, dialogFile);
        QFETCH(int, result);
        QFETCH(bool, saved);
        LogicEnv env;
        G().AlbomChanged = changed;
        G().NameAlbom = name;
        frmForma().ListPath = {"AC:/a.mp3"};
        if (answer)
            env.dialogs.answers.enqueue(answer);
        if (!dialogFile.isEmpty())
            env.dialogs.files.enqueue(dialogFile);

        QCOMPARE(ZaprosSaveAlbomM(), result);
        QCOMPARE(env.dialogs.msgs.size(), changed ? 1 : 0);
        QCOMPARE(env.drives.get(env.app("a.alb")), saved ? kOneSong : QByteArray());
        QCOMPARE(env.dialogs.fileCalls.size(), name.isEmpty() && answer == vbYes ? 1 : 0);
        if (!env.dialogs.fileCalls.isEmpty())
            QCOMPARE(env.dialogs.fileCalls[0].fileName, "New");
    }

    void aFailedSaveKeepsTheAlbumOpen() {
        LogicEnv env;
        englishTexts();
        openAlbum(env, {"a.alb"}, 0, 2);
        QFile::setPermissions(env.drives.native(env.app("a.alb")), QFile::ReadOwner);
        frmForma().ListPath.removeFirst();
        G().AlbomChanged = 1;
        env.dialogs.answers.enqueue(vbYes);

        FileNew_Click();
        QCOMPARE(prompts(env.dialogs),
                 QStringList({"Save changes in playlist?", "File is protected from recording."}));
        QCOMPARE(frmForma().ListPath.size(), 1);
        QCOMPARE(G().NameAlbom, "a.alb");
        QCOMPARE(G().AlbomChanged, 1);
        QVERIFY(!env.windows.calls.contains("showAddFile"));
        QFile::setPermissions(env.drives.native(env.app("a.alb")),
                              QFile::ReadOwner | QFile::WriteOwner);
    }

    void enterOpensOnlyWhenItWentDownInTheList_data() {
        QTest::addColumn<int>("keyDown");
        QTest::addColumn<bool>("pressedHere");
        QTest::addColumn<int>("keyUp");
        QTest::addColumn<bool>("opens");
        QTest::newRow("enter pressed here") << 0 << true << 13 << true;
        QTest::newRow("enter pressed in the playlist") << 1 << false << 13 << false;
        QTest::newRow("enter with no press") << 0 << false << 13 << false;
        QTest::newRow("other key") << 0 << true << 32 << false;
    }
    void enterOpensOnlyWhenItWentDownInTheList() {
        QFETCH(int, keyDown);
        QFETCH(bool, pressedHere);
        QFETCH(int, keyUp);
        QFETCH(bool, opens);
        LogicEnv env;
        openAlbum(env, {"a.alb", "b.alb"}, 0, 1);
        frmForma().lstAlbomy.setListIndex(1);
        frmForma().PlayKeyDown = keyDown;
        if (pressedHere)
            lstAlbomy_KeyPress();
        lstAlbomy_KeyUp(keyUp);
        QCOMPARE(G().NameAlbom, opens ? "b.alb" : "a.alb");
        QCOMPARE(frmForma().PlayKeyDown, 0);
    }

    void openReadsTheBareNameFromAppDir_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("opened");
        QTest::addColumn<QString>("message");
        QTest::newRow("same name in AppDir") << "E:/Other/b.alb"
                                             << "b.alb"
                                             << "";
        QTest::newRow("no extension typed") << "E:/Other.dir/b"
                                            << "b.alb"
                                            << "";
        QTest::newRow("not in AppDir") << "E:/Other/c.alb"
                                       << "a.alb"
                                       << "is not found.";
    }
    void openReadsTheBareNameFromAppDir() {
        QFETCH(QString, chosen);
        QFETCH(QString, opened);
        QFETCH(QString, message);
        LogicEnv env;
        englishTexts();
        openAlbum(env, {"a.alb", "b.alb"}, 0, 1);
        env.drives.put(chosen, albumFile(" 1 ", {"ElsewhereE:/x.mp3"}));
        env.drives.put(env.app("b.alb"), albumFile(" 1 ", {"HereC:/Music/0.mp3"}));
        env.dialogs.files.enqueue(chosen);

        FileOpen_Click();
        QCOMPARE(env.dialogs.fileCalls.size(), 1);
        QVERIFY(!env.dialogs.fileCalls[0].isSave);
        QCOMPARE(env.dialogs.fileCalls[0].dir, G().AppDir);
        QCOMPARE(env.dialogs.fileCalls[0].fileName, "");
        QCOMPARE(G().NameAlbom, opened);
        QCOMPARE(prompts(env.dialogs), message.isEmpty() ? QStringList() : QStringList{message});
        if (message.isEmpty())
            QCOMPARE(frmForma().ListPath, QStringList{"HereC:/Music/0.mp3"});
        QCOMPARE(frmForma().lstAlbomy.List(frmForma().lstAlbomy.ListIndex()), opened);
        QCOMPARE(G().NumAlbom, frmForma().lstAlbomy.ListIndex());
    }

    void numAlbomFollowsTheOpenedAlbum() {
        LogicEnv env;
        openAlbum(env, {"a.alb", "b.alb", "c.alb"}, 0, 3);
        G().Alboms[0].NumPesni = 1;
        G().Alboms[2].NumPesni = 2;
        env.dialogs.files.enqueue("C:/Tonvela/c.alb");
        FileOpen_Click();
        QCOMPARE(frmForma().lstAlbomy.ListIndex(), 2);
        QCOMPARE(G().NumAlbom, 2);
        QCOMPARE(G().NumPesni, 2);
        QCOMPARE(env.player.URL(), "C:/Music/2.mp3");
        QCOMPARE(G().Alboms[0].NumPesni, 1);
    }

    void numAlbomFollowsTheSavedAlbum() {
        LogicEnv env;
        openAlbum(env, {"a.alb", "c.alb"}, 0, 3);
        G().NumPesni = 2;
        env.dialogs.files.enqueue("C:/Tonvela/b");
        SaveAsM();
        QCOMPARE(frmForma().lstAlbomy.items(), QStringList({"a.alb", "b.alb", "c.alb"}));
        QCOMPARE(frmForma().lstAlbomy.ListIndex(), 1);
        QCOMPARE(G().NumAlbom, 1);
        QCOMPARE(G().Alboms[1].NumPesni, 2);
    }

    void doubleClickOnTheOpenAlbumRestartsItsSong() {
        LogicEnv env;
        openAlbum(env, {"a.alb", "b.alb"}, 0, 3);
        G().NumPesni = 1;
        env.drives.put(env.app("a.alb"), " 0 \r\n");
        lstAlbomy_DblClick();
        QCOMPARE(frmForma().ListPath.size(), 3);
        QCOMPARE(env.player.URL(), "C:/Music/1.mp3");
        QVERIFY(env.player.calls.contains("url:C:/Music/1.mp3"));
    }

    void doubleClickOpensTheChosenAlbum_data() {
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("opened");
        QTest::newRow("another album") << 1 << "b.alb";
        QTest::newRow("nothing selected") << -1 << "a.alb";
    }
    void doubleClickOpensTheChosenAlbum() {
        QFETCH(int, selected);
        QFETCH(QString, opened);
        LogicEnv env;
        openAlbum(env, {"a.alb", "b.alb"}, 0, 2);
        frmForma().lstAlbomy.setListIndex(selected);
        lstAlbomy_DblClick();
        QCOMPARE(G().NameAlbom, opened);
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

    void doubleClickOnTheUnplayedNewEntryReportsNotFound() {
        LogicEnv env;
        englishTexts();
        openAlbum(env, {"a.alb"}, 0, 1);
        FileNew_Click();
        lstAlbomy_DblClick();
        QCOMPARE(prompts(env.dialogs), QStringList{"is not found."});
        QCOMPARE(frmForma().lstAlbomy.items(), QStringList{"a.alb"});
    }

    void refreshKeepsRememberedSongsByExactName() {
        LogicEnv env;
        for (const char *name : {"b.alb", "A.alb", "c.ALB", "d.txt"})
            env.drives.put(env.app(name), kOneSong);
        QDir().mkpath(env.drives.native(env.app("dir.alb")));
        frmForma().lstAlbomy.setItems({"b.alb", "a.alb", "b.alb", "New"});
        resizeAlboms(3);
        G().Alboms = {{"b.alb", 4}, {"a.alb", 9}, {"b.alb", 7}, {"", -1}};
        frmForma().lstAlbomy.setListIndex(0);

        LoadAlbomInfoM();
        QCOMPARE(frmForma().lstAlbomy.items(), QStringList({"A.alb", "b.alb", "c.ALB"}));
        QCOMPARE(frmForma().lstAlbomy.ListIndex(), -1);
        QCOMPARE(G().AlbomUB, 2);
        QCOMPARE(G().Alboms.size(), 3);
        QCOMPARE(G().Alboms[0].Name, "A.alb");
        QCOMPARE(G().Alboms[0].NumPesni, 0);
        QCOMPARE(G().Alboms[1].NumPesni, 4);
        QCOMPARE(G().Alboms[2].Name, "c.ALB");
        QCOMPARE(env.events.doEvents, 1);
    }

    void refreshOfAnEmptyFolderEmptiesTheRegistry() {
        LogicEnv env;
        listAlbums({"gone.alb"});
        LoadAlbomInfoM();
        QCOMPARE(frmForma().lstAlbomy.ListCount(), 0);
        QCOMPARE(G().AlbomUB, -1);
        QVERIFY(G().Alboms.isEmpty());
    }

    void albumEntryIsFoundExactFirst_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("index");
        QTest::newRow("exact") << "rock.alb" << 1;
        QTest::newRow("other case") << "ROCK.ALB" << 0;
        QTest::newRow("absent") << "pop.alb" << -1;
    }
    void albumEntryIsFoundExactFirst() {
        QFETCH(QString, name);
        QFETCH(int, index);
        LogicEnv env;
        listAlbums({"Rock.alb", "rock.alb"});
        frmForma().lstAlbomy.setListIndex(1);
        QCOMPARE(selectAlbumEntry(name), index);
        QCOMPARE(frmForma().lstAlbomy.ListIndex(), index);
    }
};

QTEST_GUILESS_MAIN(TestAlbumCommands)
#include "tst_albumcommands.moc"
