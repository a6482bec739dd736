#include "Id3Tag.h"
#include "LogicTest.h"

#include "editing/AddFileModel.h"

#include <QSignalSpy>

using namespace tv;
using namespace tv::test;

namespace {

// "kind:text" of every row.
QStringList rows(const AddFileModel &m) {
    QStringList all;
    for (int r = 0; r < m.RowCount(); ++r)
        all << QString::number(m.rowKind(r)) + QLatin1Char(':') + m.rowText(r);
    return all;
}

// Runs the steps of a script (see browse_data) on the browser.
void run(AddFileModel &m, const QString &script) {
    static const QHash<QString, int> named = {{"Back", 8},  {"Enter", 13}, {"PgUp", 33},
                                              {"PgDn", 34}, {"End", 35},   {"Home", 36},
                                              {"Up", 38},   {"Down", 40}};
    for (const QString &step : script.split(' ', Qt::SkipEmptyParts)) {
        const QString arg = step.section(':', 1);
        if (step.startsWith("y:"))
            m.ListPicture_MouseDown(arg.toDouble());
        else if (step.startsWith("row:"))
            m.ListPicture_MouseDown(18.0 * arg.toInt() + 9);
        else if (step.startsWith("scroll:"))
            m.VScroll1_Change(arg.toInt());
        else if (step.startsWith("key:"))
            m.ListPicture_KeyDown(arg.toInt());
        else if (step == "click")
            m.ListPicture_Click();
        else if (step == "dbl")
            m.ListPicture_DblClick();
        else if (named.contains(step))
            m.ListPicture_KeyDown(named[step]);
        else
            QFAIL(qPrintable("unknown step " + step));
    }
}

} // namespace

class TestAddFileModel : public LogicTest {
    Q_OBJECT
    std::unique_ptr<AddFileModel> model;

    void setUp() override { useMemoryFs({"C:", "E:", "Z:"}).addFolder(G().AppDir); }
    void tearDown() override { model.reset(); }

    // The browser opened at strDir, the working folder being Z:/home/u.
    AddFileModel &open(const QString &strDir) {
        G().strDir = strDir;
        model = std::make_unique<AddFileModel>("Z:/home/u");
        return *model;
    }
    // C:/M holds subfolders "d01".. first, then files "f01.mp3"..; the
    // browser opens at strDir.
    AddFileModel &openFolder(int folders, int files, const QString &strDir = "C:/M/") {
        fs->addFolder("C:/M");
        for (int i = 1; i <= folders; ++i)
            fs->addFolder(QStringLiteral("C:/M/d%1").arg(i, 2, 10, QLatin1Char('0')));
        for (int i = 1; i <= files; ++i)
            fs->addFile(QStringLiteral("C:/M/f%1.mp3").arg(i, 2, 10, QLatin1Char('0')));
        return open(strDir);
    }

public:
    TestAddFileModel() : LogicTest(Lang::English) {}

private slots:
    // The rows of a drive root and of a folder: subfolders, then MP3 files
    // (letter case ignored) as Windows lists them, hidden ones left out;
    // Cyrillic as a Russian dictionary orders it, Ё beside Е.
    void listing_data() {
        columns<QString, QStringList, QString>("strDir", "rows", "shownDir");
        row("drive root", QString("C:/"),
            QStringList{"0:C:/", "2:Music", "2:Ru", "2:Tonvela", "3:1.Quartet - Morning"},
            QString("C:/"));
        row("Cyrillic", QString("C:/Ru/"),
            QStringList{"1:Ru", "2:ели", "2:Ёлки", "2:Жуки", "3:1.Zoo", "3:2.[x]", "3:3.Ежевика",
                        "3:4.ель", "3:5.Ёж", "3:6.ёлка", "3:7.Жук", "3:8.Яблоко"},
            QString("C:/Ru/"));
        row("folder", QString("C:/Music/"),
            QStringList{"1:Music", "2:Jazz", "3:1.Quartet - Morning", "3:2.SONG",
                        "3:3. - torn  line", "3:4.zeta"},
            QString("C:/Music/"));
        row("strDir missing: the program's folder", QString("C:/Gone/"), QStringList{"1:Tonvela"},
            QString("C:/Tonvela/"));
    }
    void listing() {
        QFETCH(QString, strDir);
        QFETCH(QStringList, rows);
        fs->addFile("C:/root.mp3", id3v1("Morning", "Quartet"));
        for (const char *name : {"zeta.mp3", "SONG.MP3", "cover.jpg", ".hidden.mp3"})
            fs->addFile(QStringLiteral("C:/Music/") + name);
        fs->addFile("C:/Music/a.mp3", QByteArray(10, 'x') + id3v1("Morning", "Quartet"));
        fs->addFile("C:/Music/torn.mp3", id3v1("torn\r\nline", ""));
        fs->addFolder("C:/Music/Jazz");
        fs->addFolder("C:/Music/.cache");
        for (const char *name : {"Жук", "ёлка", "Ёж", "Яблоко", "ель", "Ежевика", "[x]", "Zoo"})
            fs->addFile(QStringLiteral("C:/Ru/%1.mp3").arg(QString::fromUtf8(name)));
        for (const char *name : {"Жуки", "Ёлки", "ели"})
            fs->addFolder(QStringLiteral("C:/Ru/") + QString::fromUtf8(name));
        AddFileModel &m = open(strDir);
        QCOMPARE(::rows(m), rows);
        QTEST(G().strDir, "shownDir");
        QCOMPARE(m.SelRow(), 0);
        QCOMPARE(m.kAddPapkaEnabled(), rows.last().startsWith('3'));
        QVERIFY(!m.KAddFileEnabled());
        QVERIFY(!m.VScroll1().Visible);
    }

    // A script on the browser over C:/M (subfolders d01.., then files f01..),
    // opened at `at`, after which the folder `gone` is removed; then "strDir
    // selRow value", and the songs added. The rows are what the folder shown
    // holds. Steps: "y:<pixels>" presses the mouse at that height of the
    // list, "row:<n>" in the middle of row n, "scroll:<value>", "click",
    // "dbl", or a key.
    void browse_data() {
        columns<int, int, QString, QString, QString, QString>("folders", "files", "at", "script",
                                                              "after", "gone");
        const auto r = [](const char *name, int folders, int files, const char *script,
                          const char *after, const char *at = "C:/M/", const char *gone = "") {
            row(name, folders, files, at, script, after, gone);
        };
        // Keys over 30 rows (the scroll bar's Max is 18).
        r("Page Down from the first page", 0, 29, "PgDn", "C:/M/ 23 12");
        r("Page Down near the end", 0, 29, "row:23 scroll:12 PgDn", "C:/M/ 29 18");
        r("Page Up from the middle", 0, 29, "row:17 scroll:8 PgUp", "C:/M/ 0 0");
        r("Page Up on row 0", 0, 29, "scroll:5 PgUp", "C:/M/ 0 5");
        r("Down inside the view", 0, 29, "row:3 Down", "C:/M/ 4 0");
        r("Down off the last whole row", 0, 29, "row:11 Down", "C:/M/ 12 1");
        r("Down from the partly shown row", 0, 29, "row:12 Down", "C:/M/ 13 1");
        r("Down, selection above the view", 0, 29, "row:2 scroll:10 Down", "C:/M/ 10 10");
        r("Down, selection below the view", 0, 29, "row:25 scroll:5 Down", "C:/M/ 5 5");
        r("Down on the last row", 0, 29, "row:29 scroll:18 Down", "C:/M/ 29 18");
        r("Up inside the view", 0, 29, "row:4 Up", "C:/M/ 3 0");
        r("Up off the first row in view", 0, 29, "row:5 scroll:5 Up", "C:/M/ 4 4");
        r("Up, selection below the view", 0, 29, "row:25 scroll:5 Up", "C:/M/ 5 5");
        r("Up on row 0", 0, 29, "Up", "C:/M/ 0 0");
        r("End", 0, 29, "row:3 End", "C:/M/ 29 18");
        r("Home", 0, 29, "row:20 scroll:18 Home", "C:/M/ 0 0");
        r("other keys do nothing", 0, 29, "row:4 scroll:2 key:65 key:37 key:39 key:46 key:0",
          "C:/M/ 4 2");
        // Going up selects the folder left; below the first page it becomes
        // the last whole row of the view.
        r("going up to the twelfth row", 20, 0, "Back", "C:/M/ 11 0", "C:/M/d11/");
        r("going up below the first page", 20, 0, "Back", "C:/M/ 16 5", "C:/M/d16/");
        // The scroll bar appears from the thirteenth row on.
        r("End on twelve rows", 0, 11, "End", "C:/M/ 11 0");
        r("End on thirteen rows", 0, 12, "End", "C:/M/ 12 1");
        // Enter: row 0 goes up, a folder row goes in, a file row adds the
        // file and the browser stays where it is.
        r("Enter on row 0", 1, 2, "Enter", "C:/ 1 0");
        r("Enter on a folder", 1, 2, "row:1 Enter", "C:/M/d01/ 0 0");
        r("Enter on a file", 1, 2, "row:3 Enter", "C:/M/ 3 0 f02C:/M/f02.mp3");
        // Mouse: a press selects the row under it, to the nearest pixel; a
        // click on the partly shown row brings it into view; a double click
        // enters a folder or adds a file.
        r("press", 1, 29, "y:218", "C:/M/ 12 0");
        r("click on the partly shown row", 1, 29, "y:218 click", "C:/M/ 12 1");
        r("click on it again", 1, 29, "y:218 click click", "C:/M/ 12 1");
        r("press below the last row", 1, 29, "y:557.4 y:558", "C:/M/ 30 0");
        r("double click on a file", 1, 29, "y:557.4 dbl", "C:/M/ 30 0 f29C:/M/f29.mp3");
        r("double click on a folder", 1, 29, "y:18 dbl", "C:/M/d01/ 0 0");
        r("double click on row 0", 1, 29, "y:18 dbl y:0 dbl", "C:/M/ 1 0");
        // At a drive root there is no parent: nothing changes.
        r("Backspace and Enter at a root", 0, 20, "Back Enter", "C:/ 0 0", "C:/");
        r("double click at a root", 0, 20, "dbl", "C:/ 0 0", "C:/");
        // A folder that went away after the listing (one that may not be read
        // fails to list alike): a double click lists the current folder anew,
        // Enter re-opens strDir. When the folder shown is gone altogether,
        // Enter opens the program's folder.
        r("removed, double click", 2, 1, "row:1 dbl", "C:/M/ 0 0", "C:/M/", "C:/M/d01");
        r("removed, Enter", 2, 1, "row:1 Enter", "C:/M/ 0 0", "C:/M/", "C:/M/d01");
        r("the folder shown removed, Enter", 2, 1, "row:1 Enter", "C:/Tonvela/ 0 0", "C:/M/",
          "C:/M");
    }
    void browse() {
        QFETCH(int, folders);
        QFETCH(int, files);
        QFETCH(QString, at);
        QFETCH(QString, script);
        QFETCH(QString, after);
        QFETCH(QString, gone);
        AddFileModel &m = openFolder(folders, files, at);
        if (!gone.isEmpty())
            fs->remove(gone);
        QSignalSpy focus(&m, &AddFileModel::focusListRequested);
        run(m, script);
        const QStringList want = after.split(' ');
        QCOMPARE(G().strDir, want[0]);
        QCOMPARE(m.SelRow(), want[1].toInt());
        QCOMPARE(m.VScroll1().Value, want[2].toInt());
        QCOMPARE(m.VScroll1().Visible, m.VScroll1().Max > 0);
        QCOMPARE(frmForma().ListPath, want.mid(3));
        QCOMPARE(focus.count(), int(want.size()) - 3);
        QCOMPARE(m.KAddFileEnabled(), m.rowKind(m.SelRow()) == AddFileModel::File);
        QCOMPARE(rows(m), rows(AddFileModel("Z:/home/u")));
        if (at == "C:/") // a root's path keeps its separator
            QCOMPARE(m.Path(), at);
    }

    // The check box is ticked from NamePesni when the browser opens, which
    // alone changes nothing; a click changes the titles at once, the tags
    // not read for file-name titles, and the choice is kept. Add all takes
    // the files the browser shows (Add file is open to file rows only, every
    // browse row checks). (Esc closes: tst_frmaddfile, test_desktop_entry.sh.)
    void titlesAndButtons() {
        fs->addFile("C:/M/t.mp3", id3v1("Morning", "Quartet"));
        fs->addFile("C:/M/u.mp3");
        const QStringList tags{"1:M", "3:1.Quartet - Morning", "3:2.u"};
        const QStringList names{"1:M", "3:1.t", "3:2.u"};
        QVERIFY(!open("C:/M/").chNamePesni());
        QCOMPARE(rows(*model), tags);
        model->ListPicture_MouseDown(40);
        fs->reads.clear();
        model->chNamePesni_Click(true);
        QCOMPARE(G().NamePesni, 1);
        QCOMPARE(rows(*model), names);
        QCOMPARE(model->SelRow(), 0);
        QCOMPARE(fs->reads, QStringList());
        AddFileModel &m = open("C:/M/");
        QVERIFY(m.chNamePesni());
        QCOMPARE(G().NamePesni, 1);
        QCOMPARE(rows(m), names);
        m.chNamePesni_Click(false);
        QCOMPARE(G().NamePesni, 0);
        QCOMPARE(rows(m), tags);
        QVERIFY(m.kAddPapkaEnabled());
        fs->addFile("C:/M/v.mp3");
        m.kAddPapka_Click();
        QCOMPARE(playListRows(), QStringList({"1.Quartet - Morning", "2.u"}));
    }

    // The drive box opens on the working folder's drive, whatever strDir is;
    // another drive opens at its root, that one at the working folder, and a
    // drive that is not there (or the one shown) changes nothing.
    void drives() {
        fs->addFolder("Z:/home/u/d01");
        fs->addFolder("E:/Disc");
        AddFileModel &m = open("C:/Tonvela/");
        QCOMPARE(m.Drive1List(), QStringList({"C:", "E:", "Z:"}));
        QCOMPARE(m.Drive1Index(), 2);
        m.Drive1_Change(2);
        QCOMPARE(G().strDir, QString("C:/Tonvela/"));
        m.Drive1_Change(1);
        QCOMPARE(G().strDir, QString("E:/"));
        QCOMPARE(rows(m), QStringList({"0:E:/", "2:Disc"}));
        m.Drive1_Change(2);
        QCOMPARE(G().strDir, QString("Z:/home/u/"));
        fs->remove("E:");
        m.Drive1_Change(1);
        QCOMPARE(m.Drive1Index(), 2);
        QCOMPARE(G().strDir, QString("Z:/home/u/"));
        QCOMPARE(m.rowText(1), QString("d01"));
    }
};

QTEST_GUILESS_MAIN(TestAddFileModel)
#include "tst_addfilemodel.moc"
