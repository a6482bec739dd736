#include "Fakes.h"
#include "Id3Tag.h"
#include "MemoryFs.h"

#include "core/Forma.h"
#include "core/Globals.h"
#include "core/Language.h"
#include "editing/AddFileModel.h"

#include <QSignalSpy>

using namespace tv;
using namespace tv::test;

namespace {

constexpr int kBackspace = 8, kEnter = 13, kEsc = 27, kPageUp = 33, kPageDown = 34, kEnd = 35,
              kHome = 36, kUp = 38, kDown = 40;

struct Browser {
    LogicEnv env;
    MemoryFs fs{{"C:", "E:", "Z:"}};
    std::unique_ptr<AddFileModel> model;

    Browser() {
        P().fs = &fs;
        fs.addFolder(G().AppDir);
        LanguageEnM();
    }
    AddFileModel &open(const QString &strDir, const QString &workingFolder = "Z:/home/u") {
        G().strDir = strDir;
        model = std::make_unique<AddFileModel>(workingFolder);
        return *model;
    }
    // A folder of count rows in all: subfolders "d01".. first, then files.
    void makeFolder(const QString &dir, int folders, int files) {
        fs.addFolder(dir);
        for (int i = 1; i <= folders; ++i)
            fs.addFolder(dir + QStringLiteral("/d%1").arg(i, 2, 10, QLatin1Char('0')));
        for (int i = 1; i <= files; ++i)
            fs.addFile(dir + QStringLiteral("/f%1.mp3").arg(i, 2, 10, QLatin1Char('0')));
    }
};

// "kind:text" of every row.
QStringList rows(const AddFileModel &m) {
    QStringList all;
    for (int r = 0; r < m.RowCount(); ++r)
        all << QString::number(m.rowKind(r)) + QLatin1Char(':') + m.rowText(r);
    return all;
}

void keys(AddFileModel &m, const QList<int> &codes) {
    for (int code : codes)
        m.ListPicture_KeyDown(code);
}

} // namespace

class TestAddFileModel : public QObject {
    Q_OBJECT
private slots:
    // The rows of a drive root and of a folder: subfolders, then MP3 files
    // (letter case ignored) as Windows lists them, hidden ones left out.
    void listing_data() {
        columns<QString, QStringList, QString>("strDir", "rows", "shownDir");
        row("drive root", QString("C:/"),
            QStringList{"0:C:/", "2:Music", "2:Tonvela", "3:1.Quartet - Morning"}, QString("C:/"));
        row("folder", QString("C:/Music/"),
            QStringList{"1:Music", "2:Jazz", "3:1.Quartet - Morning", "3:2.SONG",
                        "3:3. - torn  line", "3:4.zeta"},
            QString("C:/Music/"));
        row("strDir missing: the program's folder", QString("C:/Gone/"), QStringList{"1:Tonvela"},
            QString("C:/Tonvela/"));
        row("strDir not a path", QString(), QStringList{"1:Tonvela"}, QString("C:/Tonvela/"));
    }
    void listing() {
        QFETCH(QString, strDir);
        QFETCH(QStringList, rows);
        QFETCH(QString, shownDir);
        Browser b;
        b.fs.addFile("C:/root.mp3", id3v1("Morning", "Quartet"));
        b.fs.addFile("C:/Music/zeta.mp3");
        b.fs.addFile("C:/Music/SONG.MP3");
        b.fs.addFile("C:/Music/a.mp3", QByteArray(10, 'x') + id3v1("Morning", "Quartet"));
        b.fs.addFile("C:/Music/torn.mp3", id3v1("torn\r\nline", ""));
        b.fs.addFile("C:/Music/cover.jpg");
        b.fs.addFile("C:/Music/.hidden.mp3");
        b.fs.addFolder("C:/Music/Jazz");
        b.fs.addFolder("C:/Music/.cache");
        AddFileModel &m = b.open(strDir);
        QCOMPARE(::rows(m), rows);
        QCOMPARE(G().strDir, shownDir);
        QCOMPARE(m.SelRow(), 0);
        QCOMPARE(m.kAddPapkaEnabled(), rows.last().startsWith('3'));
        QVERIFY(!m.KAddFileEnabled());
        QVERIFY(!m.VScroll1().Visible);
        QCOMPARE(m.Caption(), QString("Add file(s)"));
        QCOMPARE(m.kAddPapkaCaption(), QString("Add all"));
    }

    // The scroll bar appears from the thirteenth row on.
    void scrollBar_data() {
        columns<int, bool, int>("rowCount", "visible", "max");
        row("one row", 1, false, 0);
        row("12 rows", 12, false, 0);
        row("13 rows", 13, true, 1);
        row("30 rows", 30, true, 18);
    }
    void scrollBar() {
        QFETCH(int, rowCount);
        QFETCH(bool, visible);
        QFETCH(int, max);
        Browser b;
        b.makeFolder("C:/M", 0, rowCount - 1);
        AddFileModel &m = b.open("C:/M/");
        QCOMPARE(m.RowCount(), rowCount);
        QCOMPARE(m.VScroll1().Visible, visible);
        QCOMPARE(m.VScroll1().Max, max);
        QCOMPARE(m.VScroll1().Value, 0);
        if (visible) {
            QCOMPARE(m.VScroll1().SmallChange, 12);
            QCOMPARE(m.VScroll1().LargeChange, 18);
        }
    }

    // Going up selects the folder left; below the first page it becomes the
    // last whole row of the view.
    void goingUpSelectsTheFolderLeft_data() {
        columns<QString, int, int>("folder", "selRow", "value");
        row("on the first page", QString("d03"), 3, 0);
        row("twelfth row", QString("d11"), 11, 0);
        row("below the first page", QString("d16"), 16, 5);
    }
    void goingUpSelectsTheFolderLeft() {
        QFETCH(QString, folder);
        QFETCH(int, selRow);
        QFETCH(int, value);
        Browser b;
        b.makeFolder("C:/P", 20, 0);
        AddFileModel &m = b.open("C:/P/" + folder + "/");
        QCOMPARE(m.PrevPapka(), folder);
        m.ListPicture_KeyDown(kBackspace);
        QCOMPARE(G().strDir, QString("C:/P/"));
        QCOMPARE(m.SelRow(), selRow);
        QCOMPARE(m.VScroll1().Value, value);
        QVERIFY(!m.KAddFileEnabled());
    }

    // The keys over a folder of 30 rows (the scroll bar's Max is 18), from a
    // row selected and a view scrolled as given.
    void keyTable_data() {
        columns<int, int, QList<int>, int, int>("selRow", "value", "keys", "newSelRow", "newValue");
        row("Page Down from the first page", 0, 0, QList<int>{kPageDown}, 23, 12);
        row("Page Up back", 0, 0, QList<int>{kPageDown, kPageUp}, 0, 0);
        row("Page Down near the end", 23, 12, QList<int>{kPageDown}, 29, 18);
        row("Page Down on the last row", 29, 18, QList<int>{kPageDown}, 29, 18);
        row("Page Up from the middle", 17, 8, QList<int>{kPageUp}, 0, 0);
        row("Page Up on row 0", 0, 5, QList<int>{kPageUp}, 0, 5);
        row("Down inside the view", 3, 0, QList<int>{kDown}, 4, 0);
        row("Down off the last whole row", 11, 0, QList<int>{kDown}, 12, 1);
        row("Down from the partly shown row", 12, 0, QList<int>{kDown}, 13, 1);
        row("Down, selection above the view", 2, 10, QList<int>{kDown}, 10, 10);
        row("Down, selection below the view", 25, 5, QList<int>{kDown}, 5, 5);
        row("Down on the last row", 29, 18, QList<int>{kDown}, 29, 18);
        row("Up inside the view", 4, 0, QList<int>{kUp}, 3, 0);
        row("Up off the first row in view", 5, 5, QList<int>{kUp}, 4, 4);
        row("Up, selection below the view", 25, 5, QList<int>{kUp}, 5, 5);
        row("Up on row 0", 0, 0, QList<int>{kUp}, 0, 0);
        row("End", 3, 0, QList<int>{kEnd}, 29, 18);
        row("Home", 20, 18, QList<int>{kHome}, 0, 0);
        row("other keys do nothing", 4, 2, QList<int>{65, 37, 39, 46, 0}, 4, 2);
    }
    void keyTable() {
        QFETCH(int, selRow);
        QFETCH(int, value);
        QFETCH(QList<int>, keys);
        QFETCH(int, newSelRow);
        QFETCH(int, newValue);
        Browser b;
        b.makeFolder("C:/M", 0, 29);
        AddFileModel &m = b.open("C:/M/");
        m.ListPicture_MouseDown(18.0 * selRow + 9);
        m.VScroll1_Change(value);
        ::keys(m, keys);
        QCOMPARE(m.SelRow(), newSelRow);
        QCOMPARE(m.VScroll1().Value, newValue);
        QCOMPARE(m.KAddFileEnabled(), newSelRow >= 1);
    }

    // Home and End with all rows in view: the view stays put.
    void homeEndWithoutScrollBar() {
        Browser b;
        b.makeFolder("C:/M", 2, 5);
        AddFileModel &m = b.open("C:/M/");
        m.ListPicture_KeyDown(kEnd);
        QCOMPARE(m.SelRow(), 7);
        QVERIFY(m.KAddFileEnabled());
        m.ListPicture_KeyDown(kHome);
        QCOMPARE(m.SelRow(), 0);
        QCOMPARE(m.VScroll1().Value, 0);
    }

    // Enter: row 0 goes up, a folder row goes in, a file row adds the file
    // and the browser stays where it is.
    void enter_data() {
        columns<int, QString, int>("selRow", "strDir", "songs");
        row("row 0", 0, QString("C:/"), 0);
        row("a folder", 1, QString("C:/M/d01/"), 0);
        row("a file", 3, QString("C:/M/"), 1);
    }
    void enter() {
        QFETCH(int, selRow);
        QFETCH(QString, strDir);
        QFETCH(int, songs);
        Browser b;
        b.makeFolder("C:/M", 1, 2);
        AddFileModel &m = b.open("C:/M/");
        QSignalSpy focus(&m, &AddFileModel::focusListRequested);
        m.ListPicture_MouseDown(18.0 * selRow);
        m.ListPicture_KeyDown(kEnter);
        QCOMPARE(G().strDir, strDir);
        QCOMPARE(frmForma().ListPath.size(), songs);
        if (songs) {
            QCOMPARE(frmForma().ListPath.first(), QString("f02C:/M/f02.mp3"));
            QCOMPARE(m.SelRow(), selRow);
            QCOMPARE(focus.count(), 1);
        }
    }

    // At a drive root there is no parent: Backspace, Enter and a double click
    // on row 0 change nothing.
    void upAtARoot_data() {
        columns<bool>("dblClick");
        row("Backspace and Enter", false);
        row("double click", true);
    }
    void upAtARoot() {
        QFETCH(bool, dblClick);
        Browser b;
        b.makeFolder("C:/M", 0, 20);
        AddFileModel &m = b.open("C:/");
        const QStringList before = rows(m);
        if (dblClick)
            m.ListPicture_DblClick();
        else
            keys(m, {kBackspace, kEnter});
        QCOMPARE(rows(m), before);
        QCOMPARE(m.Path(), QString("C:/"));
        QCOMPARE(G().strDir, QString("C:/"));
    }

    // A folder that went away (or may not be read) after the listing: a
    // double click lists the current folder anew, Enter re-opens strDir.
    void folderThatCannotBeEntered_data() {
        columns<bool, bool>("locked", "dblClick");
        row("removed, double click", false, true);
        row("removed, Enter", false, false);
        row("no permission, double click", true, true);
        row("no permission, Enter", true, false);
    }
    void folderThatCannotBeEntered() {
        QFETCH(bool, locked);
        QFETCH(bool, dblClick);
        Browser b;
        b.makeFolder("C:/M", 2, 1);
        AddFileModel &m = b.open("C:/M/");
        if (locked)
            b.fs.lockFolder("C:/M/d01");
        else
            b.fs.remove("C:/M/d01");
        m.ListPicture_MouseDown(20);
        if (dblClick)
            m.ListPicture_DblClick();
        else
            m.ListPicture_KeyDown(kEnter);
        QCOMPARE(G().strDir, QString("C:/M/"));
        QCOMPARE(m.SelRow(), 0);
        const QStringList unchanged{"1:M", "2:d01", "2:d02", "3:1.f01"};
        const QStringList left{"1:M", "2:d02", "3:1.f01"};
        QCOMPARE(rows(m), locked ? unchanged : left);
    }

    // The folder shown is gone altogether: Enter on one of its folders opens
    // the program's folder.
    void shownFolderGone() {
        Browser b;
        b.makeFolder("C:/M", 1, 0);
        AddFileModel &m = b.open("C:/M/");
        b.fs.remove("C:/M");
        m.ListPicture_MouseDown(20);
        m.ListPicture_KeyDown(kEnter);
        QCOMPARE(G().strDir, G().AppDir);
    }

    // Mouse: a press selects the row under it; a click on the partly shown
    // row brings it into view; a double click enters a folder or adds a file.
    void mouse() {
        Browser b;
        b.makeFolder("C:/M", 1, 29);
        AddFileModel &m = b.open("C:/M/");
        m.ListPicture_MouseDown(12 * 18 + 2);
        QCOMPARE(m.SelRow(), 12);
        m.ListPicture_Click();
        QCOMPARE(m.VScroll1().Value, 1);
        m.ListPicture_Click();
        QCOMPARE(m.VScroll1().Value, 1);
        m.ListPicture_MouseDown(30 * 18 + 17.4);
        QCOMPARE(m.SelRow(), 30);
        m.ListPicture_MouseDown(31 * 18);
        QCOMPARE(m.SelRow(), 30);
        m.ListPicture_DblClick();
        QCOMPARE(frmForma().ListPath, QStringList{"f29C:/M/f29.mp3"});
        m.ListPicture_MouseDown(18);
        m.ListPicture_DblClick();
        QCOMPARE(G().strDir, QString("C:/M/d01/"));
        m.ListPicture_MouseDown(0);
        m.ListPicture_DblClick();
        QCOMPARE(G().strDir, QString("C:/M/"));
        QCOMPARE(m.SelRow(), 1);
    }

    // Add all takes the files the browser shows; Add file is open to file
    // rows only.
    void buttons() {
        Browser b;
        b.makeFolder("C:/M", 1, 3);
        AddFileModel &m = b.open("C:/M/");
        QVERIFY(m.kAddPapkaEnabled());
        b.fs.addFile("C:/M/f04.mp3");
        m.kAddPapka_Click();
        QCOMPARE(playListRows(), QStringList({"1.f01", "2.f02", "3.f03"}));
        m.ListPicture_MouseDown(20);
        QVERIFY(!m.KAddFileEnabled());
        m.ListPicture_MouseDown(40);
        QVERIFY(m.KAddFileEnabled());
        QSignalSpy unload(&m, &AddFileModel::unloadRequested);
        m.ListPicture_KeyDown(kEsc);
        QCOMPARE(unload.count(), 1);
    }

    // The check box: file-name titles at once, and the choice kept.
    void titlesFromFileNames() {
        Browser b;
        b.fs.addFile("C:/M/t.mp3", id3v1("Morning", "Quartet"));
        b.fs.addFile("C:/M/u.mp3");
        AddFileModel &m = b.open("C:/M/");
        QCOMPARE(rows(m), QStringList({"1:M", "3:1.Quartet - Morning", "3:2.u"}));
        m.ListPicture_MouseDown(40);
        b.fs.reads.clear();
        m.chNamePesni_Click(true);
        QCOMPARE(G().NamePesni, 1);
        QCOMPARE(rows(m), QStringList({"1:M", "3:1.t", "3:2.u"}));
        QCOMPARE(m.SelRow(), 0);
        QCOMPARE(b.fs.reads, QStringList());
        m.chNamePesni_Click(false);
        QCOMPARE(G().NamePesni, 0);
        QCOMPARE(m.rowText(1), QString("1.Quartet - Morning"));
    }

    // The box is ticked from NamePesni when the browser opens, and that
    // alone changes nothing.
    void checkBoxAtLoad() {
        Browser b;
        G().NamePesni = 1;
        b.fs.addFile("C:/M/t.mp3", id3v1("Morning", "Quartet"));
        AddFileModel &m = b.open("C:/M/");
        QVERIFY(m.chNamePesni());
        QCOMPARE(G().NamePesni, 1);
        QCOMPARE(m.rowText(1), QString("1.t"));
    }

    // The drive box opens on the working folder's drive, whatever strDir is;
    // another drive opens at its root, that one at the working folder, and a
    // drive that is not there (or the one shown) changes nothing.
    void drives() {
        Browser b;
        b.makeFolder("Z:/home/u", 1, 0);
        b.makeFolder("E:/Disc", 0, 0);
        AddFileModel &m = b.open("C:/Tonvela/");
        QCOMPARE(m.Drive1List(), QStringList({"C:", "E:", "Z:"}));
        QCOMPARE(m.Drive1Index(), 2);
        m.Drive1_Change(2);
        QCOMPARE(G().strDir, QString("C:/Tonvela/"));
        m.Drive1_Change(1);
        QCOMPARE(G().strDir, QString("E:/"));
        QCOMPARE(rows(m), QStringList({"0:E:/", "2:Disc"}));
        m.Drive1_Change(2);
        QCOMPARE(G().strDir, QString("Z:/home/u/"));
        b.fs.remove("E:");
        m.Drive1_Change(1);
        QCOMPARE(m.Drive1Index(), 2);
        QCOMPARE(G().strDir, QString("Z:/home/u/"));
        QCOMPARE(m.rowText(1), QString("d01"));
    }
};

QTEST_MAIN(TestAddFileModel)
#include "tst_addfilemodel.moc"
