// The search across all albums and the search window's logic: which songs of
// which album files are found, the window's buttons, its list and what it
// adds to the open album.
#include "LogicTest.h"

#include "core/AlbumList.h"
#include "core/Forma.h"
#include "core/Globals.h"
#include "playback/FoundModel.h"
#include "playback/FoundSearch.h"

using namespace tv;
using namespace tv::test;

namespace {

const QStringList kRock = {"01d:\\music\\beatles\\01.mp3", "YesterdayC:\\Songs\\yesterday.mp3",
                           "Beatles for everC:\\Other\\x.mp3",
                           "Кино - ЗвездаE:\\Русский рок\\Кино\\Звезда.mp3"};
const QStringList kJazz = {"Let it beD:\\MUSIC\\BEATLES\\02.mp3",
                           "01 againD:\\Music\\Beatles\\01.mp3", "HeyC:\\x\\beatles-hey.mp3",
                           "Take FiveE:\\Jazz\\take5.mp3", "ЁлкаE:\\Русский рок\\ЁЛКА.mp3"};
const QStringList kPop = {"Hey (pop)C:\\X\\Beatles-Hey.mp3", "Let it beD:\\MUSIC\\BEATLES\\02.mp3"};
// Added to the open album rock.alb and not saved.
const QString kUnsaved = "NewC:\\new\\beatles.mp3";

// Found as "album|title|path" rows.
QStringList found() {
    QStringList rows;
    for (const FoundInfo &f : G().Found)
        rows << f.Albom + '|' + f.Title + '|' + f.Path;
    return rows;
}

} // namespace

class TestFoundWindow : public LogicTest {
    Q_OBJECT

    // rock.alb, jazz.alb and pop.alb registered and stored; rock.alb is
    // open with one song more than it stored.
    void setUp() override {
        useMemoryFs({"C:", "D:"});
        putAlbums(*fs, {{"rock.alb", albumFile(" 4 ", kRock)},
                        {"jazz.alb", albumFile("5", kJazz)},
                        {"pop.alb", albumFile(" 2 ", kPop)}});
        G().NameAlbom = "rock.alb";
        openSongs(kRock + QStringList{kUnsaved}, 0);
    }

    // The window after "beatles" was searched for.
    std::unique_ptr<FoundModel> searched() {
        auto model = std::make_unique<FoundModel>();
        model->Text1_Change("beatles");
        model->kFound_Click();
        return model;
    }

private slots:
    // Unreadable albums are skipped without a word; the others are searched,
    // an empty one too.
    void unreadableAlbumsAreSkipped() {
        fs->remove(G().AppDir + "rock.alb");
        fs->addFile(G().AppDir + "x.alb", "");
        listAlbums({"rock.alb", "jazz.alb", "pop.alb", "x.alb"});
        fs->beforeRead = [this](const QString &path) {
            if (path.endsWith("pop.alb"))
                fs->remove(path);
        };
        FoundSearchM("beatles");
        QCOMPARE(found().size(), 3);
        QVERIFY(env->dialogs.msgs.isEmpty());
        QCOMPARE(fs->reads, (QStringList{"read:C:/Tonvela/rock.alb", "read:C:/Tonvela/jazz.alb",
                                         "read:C:/Tonvela/pop.alb", "read:C:/Tonvela/x.alb"}));
    }

    // Search is enabled exactly while the text box holds a character; a key
    // let go in the text box: only Enter with a text searches.
    void theTextBox_data() {
        columns<QString, int, bool, bool>("text", "key", "enabled", "searches");
        row("empty, Enter", "", 13, false, false);
        row("one blank", " ", 66, true, false);
        row("a word, Enter", "beatles", 13, true, true);
    }
    void theTextBox() {
        QFETCH(QString, text);
        QFETCH(bool, searches);
        G().Found = {{"old.alb", "Old", "C:/old.mp3"}};
        FoundModel model;
        model.Text1_Change("x");
        model.Text1_Change(text);
        QTEST(model.state().kFound, "enabled");
        QFETCH(int, key);
        model.Text1_KeyUp(key);
        QCOMPARE(G().FoundUB(), searches ? 5 : 0);
        QCOMPARE(model.List1.ListCount(), searches ? 6 : 0);
    }

    // The stored albums in registry order, the path in any case (Cyrillic
    // too), never the title; the unsaved song is not found, the saved ones
    // are; a file in two albums is listed for each. A result picked shows its
    // album and enables Add file; no pick changes nothing; a new search starts
    // from nothing. The text is taken as typed, blanks and all. (How the
    // lines and the count are read is the album reader's, tst_albumcommands, and
    // the fuzz target holds the search in one file to it, from starting
    // inputs such as a text only in a title, titles with colons, a text
    // holding the drive letter, a line without a drive, a text that 1251
    // cannot hold or that holds a line end, and UTF-8 files.)
    void theSearch() {
        FoundModel model;
        model.Text1_Change("beatles");
        QList<bool> enabledWhileReading;
        fs->beforeRead = [&](const QString &) { enabledWhileReading << model.state().Enabled; };
        model.kFound_Click();
        QCOMPARE(enabledWhileReading, (QList<bool>{false, false, false}));
        QCOMPARE(listRows(model.List1), (QStringList{"1.01", "2.Let it be", "3.01 again", "4.Hey",
                                                     "5.Hey (pop)", "6.Let it be"}));
        QCOMPARE(model.state(), (FoundState{true, true, true, false, "Альбом: "}));
        QCOMPARE(found(), (QStringList{"rock.alb|01|d:\\music\\beatles\\01.mp3",
                                       "jazz.alb|Let it be|D:\\MUSIC\\BEATLES\\02.mp3",
                                       "jazz.alb|01 again|D:\\Music\\Beatles\\01.mp3",
                                       "jazz.alb|Hey|C:\\x\\beatles-hey.mp3",
                                       "pop.alb|Hey (pop)|C:\\X\\Beatles-Hey.mp3",
                                       "pop.alb|Let it be|D:\\MUSIC\\BEATLES\\02.mp3"}));
        model.List1.setListIndex(1);
        QCOMPARE(model.state(), (FoundState{true, true, true, true, "Альбом: jazz.alb"}));
        model.List1.setListIndex(-1);
        QCOMPARE(model.state(), (FoundState{true, true, true, true, "Альбом: jazz.alb"}));

        model.Text1_Change("\\русский рок\\");
        model.kFound_Click();
        QCOMPARE(found(), (QStringList{"rock.alb|Кино - Звезда|E:\\Русский рок\\Кино\\Звезда.mp3",
                                       "jazz.alb|Ёлка|E:\\Русский рок\\ЁЛКА.mp3"}));
        QCOMPARE(G().FoundUB(), 1);

        model.Text1_Change(" take5");
        model.kFound_Click();
        QCOMPARE(model.List1.ListCount(), 0);
        QCOMPARE(G().FoundUB(), -1);
        QVERIFY(G().Found.isEmpty());
        QCOMPARE(model.state(), (FoundState{true, true, false, false, "Альбом: "}));
    }

    // One result added, however it is asked for; the same again adds
    // nothing and leaves the album unchanged and its selection where it was
    // (as Add all does then: the same songs held, the same way out); nothing
    // picked, or a key other than Enter, adds nothing.
    void addingOneResult_data() {
        columns<QString, int, bool>("how", "pick", "adds");
        for (const char *how : {"double-click", "Enter", "Add file"})
            row(how, QString(how), 3, true);
        row("double-click, no pick", "double-click", -1, false);
        row("Space", "Space", 1, false);
    }
    void addingOneResult() {
        QFETCH(QString, how);
        QFETCH(int, pick);
        auto model = searched();
        model->List1.setListIndex(pick);
        auto add = [&] {
            if (how == "double-click")
                model->List1_DblClick();
            else if (how == "Enter" || how == "Space")
                model->List1_KeyUp(how == "Enter" ? 13 : 32);
            else
                model->KAddFile_Click();
        };
        add();
        QFETCH(bool, adds);
        const QStringList once = kRock + QStringList{kUnsaved, "HeyC:\\x\\beatles-hey.mp3"};
        QCOMPARE(frmForma().ListPath, adds ? once : once.mid(0, 5));
        QCOMPARE(G().AlbomChanged, int(adds));
        if (!adds)
            return;
        QCOMPARE(playListRows().last(), "6.Hey");
        QCOMPARE(frmForma().PlayList.ListIndex(), 5);
        frmForma().PlayList.setListIndex(0);
        G().AlbomChanged = 0;
        add();
        model->List1.setListIndex(4); // the same file, other letter case
        add();
        QCOMPARE(frmForma().ListPath, once);
        QCOMPARE(frmForma().PlayList.ListIndex(), 0);
        QCOMPARE(G().AlbomChanged, 0);
    }

    // Opened again, the window starts in its design state; Found keeps the
    // last results until the next search, and Add all adds none of them.
    void reopening() {
        searched().reset();
        FoundModel again;
        QCOMPARE(again.state(), FoundState{});
        QCOMPARE(again.List1.ListCount(), 0);
        QVERIFY(!G().Found.isEmpty());
        again.kAddPapka_Click();
        QCOMPARE(frmForma().ListPath.size(), kRock.size() + 1);
    }

    // Add all: none the album held, letter case ignored; a path found twice
    // once, but paths differing in case only are other files, as in the
    // browser. The last one selected.
    void addingAll() {
        auto model = searched();
        model->kAddPapka_Click();
        const QStringList added = {kUnsaved, "Let it beD:\\MUSIC\\BEATLES\\02.mp3",
                                   "HeyC:\\x\\beatles-hey.mp3", "Hey (pop)C:\\X\\Beatles-Hey.mp3"};
        QCOMPARE(frmForma().ListPath, kRock + added);
        QCOMPARE(playListRows().mid(5), (QStringList{"6.Let it be", "7.Hey", "8.Hey (pop)"}));
        QCOMPARE(frmForma().PlayList.ListIndex(), 7);
        QCOMPARE(G().AlbomChanged, 1);
        QCOMPARE(model->state(), (FoundState{true, true, false, false, "Альбом: "}));
    }
};

QTEST_GUILESS_MAIN(TestFoundWindow)
#include "tst_foundwindow.moc"
