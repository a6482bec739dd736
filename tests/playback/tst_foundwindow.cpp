// The search window's logic: its buttons, its list and what it adds to the
// open album.
#include "LogicTest.h"

#include "core/AlbumList.h"
#include "core/Forma.h"
#include "core/Globals.h"
#include "playback/FoundModel.h"

using namespace tv;
using namespace tv::test;

namespace {

const QStringList kRock = {"01d:\\music\\beatles\\01.mp3", "YesterdayC:\\Songs\\yesterday.mp3"};
const QStringList kJazz = {"Let it beD:\\MUSIC\\BEATLES\\02.mp3",
                           "01 againD:\\Music\\Beatles\\01.mp3", "HeyC:\\x\\beatles-hey.mp3"};
const QStringList kPop = {"Hey (pop)C:\\X\\Beatles-Hey.mp3", "Let it beD:\\MUSIC\\BEATLES\\02.mp3"};
// Added to the open album rock.alb and not saved.
const QString kUnsaved = "NewC:\\new\\beatles.mp3";

FoundState state(bool kFound, bool kAddPapka, bool KAddFile, const QString &info) {
    return {true, kFound, kAddPapka, KAddFile, info};
}

QStringList rows(const ListModel &list) {
    QStringList r;
    for (int i = 0; i < list.ListCount(); ++i)
        r << list.List(i);
    return r;
}

} // namespace

class TestFoundWindow : public LogicTest {
    Q_OBJECT

    // rock.alb, jazz.alb and pop.alb registered and stored; rock.alb is
    // open with one song more than it stored.
    void library() {
        fs->addFile(G().AppDir + "rock.alb", albumFile(" 2 ", kRock));
        fs->addFile(G().AppDir + "jazz.alb", albumFile(" 3 ", kJazz));
        fs->addFile(G().AppDir + "pop.alb", albumFile(" 2 ", kPop));
        setAlbumList({{"rock.alb", 0}, {"jazz.alb", 0}, {"pop.alb", 0}});
        G().NameAlbom = "rock.alb";
        frmForma().ListPath = kRock + QStringList{kUnsaved};
        frmForma().PlayList.rebuild();
        frmForma().PlayList.setListIndex(0);
    }

    // The window after "beatles" was searched for.
    std::unique_ptr<FoundModel> searched() {
        auto model = std::make_unique<FoundModel>();
        model->Text1_Change("beatles");
        model->kFound_Click();
        return model;
    }

    void setUp() override {
        useMemoryFs({"C:", "D:"});
        library();
    }

private slots:

    // Search is enabled exactly while the text box holds a character.
    void searchEnabledByText_data() {
        columns<QString, bool>("text", "enabled");
        row("empty", QString(), false);
        row("one blank", QString(" "), true);
        row("a word", QString("beatles"), true);
    }
    void searchEnabledByText() {
        QFETCH(QString, text);
        QFETCH(bool, enabled);
        FoundModel model;
        model.Text1_Change("x");
        model.Text1_Change(text);
        QCOMPARE(model.state().kFound, enabled);
    }

    // A key let go in the text box: only Enter with a text searches.
    void enterInTheTextBox_data() {
        columns<QString, int, bool>("text", "key", "searches");
        row("Enter", QString("beatles"), 13, true);
        row("Enter, no text", QString(), 13, false);
        row("another key", QString("beatles"), 66, false);
    }
    void enterInTheTextBox() {
        QFETCH(QString, text);
        QFETCH(int, key);
        QFETCH(bool, searches);
        G().Found = {{"old.alb", "Old", "C:/old.mp3"}};
        G().FoundUB = 0;
        FoundModel model;
        model.Text1_Change(text);
        model.Text1_KeyUp(key);
        QCOMPARE(G().FoundUB, searches ? 5 : 0);
        QCOMPARE(model.List1.ListCount(), searches ? 6 : 0);
    }

    // The stored albums in registry order; the unsaved song is not found,
    // the saved ones are; a file in two albums is listed for each.
    void theSearch() {
        FoundModel model;
        model.Text1_Change("beatles");
        QList<bool> enabledWhileReading;
        fs->beforeRead = [&](const QString &) { enabledWhileReading << model.state().Enabled; };
        model.kFound_Click();
        QCOMPARE(enabledWhileReading, (QList<bool>{false, false, false}));
        QCOMPARE(rows(model.List1), (QStringList{"1.01", "2.Let it be", "3.01 again", "4.Hey",
                                                 "5.Hey (pop)", "6.Let it be"}));
        QCOMPARE(model.state(), state(true, true, false, "Альбом: "));
        QCOMPARE(G().Found.at(4).Albom, "pop.alb");

        // A search starts from nothing: none of the last results is left.
        model.Text1_Change("no such song");
        model.kFound_Click();
        QCOMPARE(model.List1.ListCount(), 0);
        QCOMPARE(G().FoundUB, -1);
        QVERIFY(G().Found.isEmpty());
        QCOMPARE(model.state(), state(true, false, false, "Альбом: "));
    }

    // A result picked shows its album and enables Add file; no pick changes nothing.
    void pickingAResult() {
        auto model = searched();
        model->List1.setListIndex(1);
        QCOMPARE(model->state(), state(true, true, true, "Альбом: jazz.alb"));
        model->List1.setListIndex(-1);
        QCOMPARE(model->state(), state(true, true, true, "Альбом: jazz.alb"));
    }

    // One result added, however it is asked for; the same again adds nothing.
    void addingOneResult_data() {
        columns<QString>("how");
        for (const char *how : {"double-click", "Enter", "Add file"})
            row(how, QString(how));
    }
    void addingOneResult() {
        QFETCH(QString, how);
        auto model = searched();
        model->List1.setListIndex(3);
        auto add = [&] {
            if (how == "double-click")
                model->List1_DblClick();
            else if (how == "Enter")
                model->List1_KeyUp(13);
            else
                model->KAddFile_Click();
        };
        add();
        const QStringList once = kRock + QStringList{kUnsaved, "HeyC:\\x\\beatles-hey.mp3"};
        QCOMPARE(frmForma().ListPath, once);
        QCOMPARE(playListRows().last(), "4.Hey");
        QCOMPARE(frmForma().PlayList.ListIndex(), 3);
        QCOMPARE(G().AlbomChanged, 1);
        frmForma().PlayList.setListIndex(0);
        add();
        model->List1.setListIndex(4); // the same file, other letter case
        add();
        QCOMPARE(frmForma().ListPath, once);
        QCOMPARE(frmForma().PlayList.ListIndex(), 0);
    }

    // Nothing picked, or a key other than Enter: nothing is added.
    void addingWithoutAPick() {
        auto model = searched();
        model->List1_DblClick();
        model->KAddFile_Click();
        model->List1.setListIndex(1);
        model->List1_KeyUp(32);
        QCOMPARE(frmForma().ListPath.size(), 3);
        QCOMPARE(G().AlbomChanged, 0);
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
        QCOMPARE(playListRows().mid(3), (QStringList{"4.Let it be", "5.Hey", "6.Hey (pop)"}));
        QCOMPARE(frmForma().PlayList.ListIndex(), 5);
        QCOMPARE(G().AlbomChanged, 1);
        QCOMPARE(model->state(), state(true, false, false, "Альбом: "));

        // Everything is in the album now: a second Add all changes nothing.
        G().AlbomChanged = 0;
        frmForma().PlayList.setListIndex(1);
        model = searched();
        model->kAddPapka_Click();
        QCOMPARE(frmForma().ListPath.size(), 6);
        QCOMPARE(frmForma().PlayList.ListIndex(), 1);
        QCOMPARE(G().AlbomChanged, 0);
    }

    // Opened again, the window starts in its design state; Found keeps the
    // last results until the next search.
    void reopening() {
        searched().reset();
        FoundModel again;
        QCOMPARE(again.state(), state(false, false, false, "Альбом:"));
        QCOMPARE(again.List1.ListCount(), 0);
        QCOMPARE(G().FoundUB, 5);
        again.kAddPapka_Click();
        QCOMPARE(frmForma().ListPath.size(), 3);
    }

    // A search that finds a hundred thousand songs lists every one.
    void aHundredThousandResults() {
        QStringList songs;
        for (int i = 0; i < 100000; ++i)
            songs << QString("t%1C:/big/%1.mp3").arg(i);
        fs->addFile(G().AppDir + "big.alb", albumFile(" 100000 ", songs));
        setAlbumList({{"big.alb", 0}});
        FoundModel model;
        model.Text1_Change("/BIG/");
        model.kFound_Click();
        QCOMPARE(model.List1.ListCount(), 100000);
        QCOMPARE(model.List1.List(99999), "100000.t99999");
    }
};

QTEST_GUILESS_MAIN(TestFoundWindow)
#include "tst_foundwindow.moc"
