#include "LogicTest.h"

#include "editing/EditCommands.h"

#include <QLocale>
#include <algorithm>

using namespace tv;
using namespace tv::test;

using Sort = void (*)();

// The Edit menu's commands on the open album: removing and sorting.
class TestEditMenu : public LogicTest {
    Q_OBJECT
private slots:
    // The playing song plays on whatever is removed.
    void remove_data() {
        columns<bool, int, int, QString, int, int>("clear", "count", "selected", "rows", "after",
                                                   "changed");
        row("last row", false, 3, 2, QString("1.Song 0|2.Song 1"), 1, 1);
        row("playing song", false, 3, 1, QString("1.Song 0|2.Song 2"), 1, 1);
        row("only song", false, 1, 0, QString(), -1, 1);
        row("nothing selected", false, 3, -1, QString("1.Song 0|2.Song 1|3.Song 2"), -1, 0);
        // An album emptied by Clear alone is not offered for saving.
        row("clear", true, 3, 1, QString(), -1, 0);
    }
    void remove() {
        QFETCH(bool, clear);
        QFETCH(int, count);
        QFETCH(int, selected);
        // Songs shown, one selected, the second one playing, the album unchanged.
        env->fillPlayList(count);
        frmForma().PlayList.setListIndex(selected);
        G().NumPesni = 1;
        env->player.setURL(QStringLiteral("C:/Music/1.mp3"));
        env->player.calls.clear();
        clear ? EditClear_Click() : EditDel_Click();
        QTEST(playListRows().join('|'), "rows");
        QCOMPARE(frmForma().ListPath.size(), playListRows().size());
        QTEST(frmForma().PlayList.ListIndex(), "after");
        QTEST(G().AlbomChanged, "changed");
        QCOMPARE(G().NumPesni, 1);
        QVERIFY(env->player.calls.isEmpty());
    }

    // Every sort keeps the selected row (the second, or the only one) and
    // marks the album changed.
    void sorts_data() {
        columns<Sort, QString, QString, QString>("sort", "entries", "sorted", "locale");
        const auto row = [](const char *name, Sort sort, const char *entries, const char *sorted,
                            const char *locale = "C") {
            tv::test::row(name, sort, QString(entries), QString(sorted), QString(locale));
        };
        const Sort abc = EditSortAlfavit_Click;
        row("letters before case", abc, "ZebraC:/z|appleC:/a", "appleC:/a|ZebraC:/z");
        row("equal entries keep their order", abc, "dawnC:/a|DAWNC:/a|DawnC:/a",
            "dawnC:/a|DAWNC:/a|DawnC:/a");
        row("drive letter meets a longer title", abc, "AZ:/a|ABC:/b", "ABC:/b|AZ:/a");
        row("Cyrillic by the locale", abc, "жукC:/b|ЯблокоC:/c|ёжC:/a|арбузC:/d",
            "арбузC:/d|ёжC:/a|жукC:/b|ЯблокоC:/c", "ru_RU");
        row("reverse", EditSortRevers_Click, "aC:/a|bC:/b|cC:/c", "cC:/c|bC:/b|aC:/a");
        // Ctrl+R still works on an album emptied after the Edit menu opened.
        row("reverse an empty album", EditSortRevers_Click, "", "");
        row("shuffle one song", EditSortRand_Click, "aC:/a", "aC:/a");
    }
    void sorts() {
        QFETCH(Sort, sort);
        QFETCH(QString, entries);
        QFETCH(QString, sorted);
        QFETCH(QString, locale);
        const QLocale before;
        QLocale::setDefault(QLocale(locale));
        const QStringList list = entries.split('|', Qt::SkipEmptyParts);
        const int selected = std::min(1, int(list.size()) - 1);
        openSongs(list, selected);
        sort();
        QLocale::setDefault(before);
        QCOMPARE(frmForma().ListPath, sorted.split('|', Qt::SkipEmptyParts));
        QCOMPARE(frmForma().PlayList.ListIndex(), selected);
        if (!list.isEmpty())
            QCOMPARE(G().AlbomChanged, 1);
    }

    // The selected song (the first, the last, or none) stays selected where
    // it lands; the playing one's number is left alone; the rows are
    // numbered afresh, past nine too.
    void shuffleKeepsTheSelection() {
        const QStringList all = env->songsOnDisk(50);
        G().NumPesni = 1;
        for (int selected : {-1, 0, 49}) {
            openSongs(all, selected);
            EditSortRand_Click();
            const QStringList now = frmForma().ListPath;
            QVERIFY(std::is_permutation(now.begin(), now.end(), all.begin(), all.end()));
            QCOMPARE(frmForma().PlayList.ListIndex(), int(now.indexOf(all.value(selected))));
            QCOMPARE(playListRows().at(49).section('.', 0, 0), QString("50"));
        }
        QCOMPARE(G().NumPesni, 1);
    }
};

QTEST_GUILESS_MAIN(TestEditMenu)
#include "tst_editmenu.moc"
