#include "LogicTest.h"

#include "editing/Removing.h"
#include "editing/Shuffle.h"
#include "editing/Sorting.h"

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

    // Every order of three songs comes up about equally often; the selected
    // song (any of them, or none) stays selected where it lands, and the
    // playing one's number is left alone.
    void shuffleIsUniformAndKeepsTheSelection() {
        QRandomGenerator gen(20240);
        QHash<QString, int> seen;
        const QStringList all{"aC:/a", "bC:/b", "cC:/c"};
        G().NumPesni = 1;
        for (int i = 0; i < 6000; ++i) {
            const int selected = i % 4 - 1;
            openSongs(all, selected);
            shuffleListPath(gen);
            ++seen[frmForma().ListPath.join(QString())];
            QCOMPARE(frmForma().PlayList.ListIndex(),
                     int(frmForma().ListPath.indexOf(all.value(selected))));
        }
        QCOMPARE(G().NumPesni, 1);
        QCOMPARE(seen.size(), 6);
        for (int n : std::as_const(seen))
            QVERIFY2(n > 850 && n < 1150, qPrintable(QString::number(n)));
    }
};

QTEST_GUILESS_MAIN(TestEditMenu)
#include "tst_editmenu.moc"
