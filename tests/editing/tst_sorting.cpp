#include "Fakes.h"

#include "core/Forma.h"
#include "core/Globals.h"
#include "core/SongEntry.h"
#include "editing/Shuffle.h"
#include "editing/Sorting.h"

#include <QLocale>
#include <QTest>
#include <array>

using namespace tv;
using namespace tv::test;

namespace {

QStringList songs(int n) {
    QStringList list;
    for (int i = 0; i < n; ++i)
        list << QStringLiteral("T%1C:/m/%1.mp3").arg(i);
    return list;
}

void openSongs(const QStringList &list, int selected) {
    frmForma().ListPath = list;
    frmForma().PlayList.rebuild();
    frmForma().PlayList.setListIndex(selected);
    G().AlbomChanged = 0;
}

} // namespace

class TestSorting : public QObject {
    Q_OBJECT
private slots:
    void alphabetical_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QStringList>("sorted");
        QTest::newRow("letters before case") << "C" << QStringList{"ZebraC:/z", "appleC:/a"}
                                             << QStringList{"appleC:/a", "ZebraC:/z"};
        QTest::newRow("equal titles by path")
            << "C" << QStringList{"DawnC:/pop/dawn.mp3", "DawnC:/jazz/dawn.mp3"}
            << QStringList{"DawnC:/jazz/dawn.mp3", "DawnC:/pop/dawn.mp3"};
        QTest::newRow("case only: the path decides")
            << "C" << QStringList{"dawnC:/m/b.mp3", "DAWNC:/m/a.mp3"}
            << QStringList{"DAWNC:/m/a.mp3", "dawnC:/m/b.mp3"};
        QTest::newRow("equal entries keep their order")
            << "C" << QStringList{"dawnC:/m/a.mp3", "DAWNC:/m/a.mp3", "DawnC:/m/a.mp3"}
            << QStringList{"dawnC:/m/a.mp3", "DAWNC:/m/a.mp3", "DawnC:/m/a.mp3"};
        QTest::newRow("drive letter meets a longer title")
            << "C" << QStringList{"AZ:/a.mp3", "ABC:/b.mp3"}
            << QStringList{"ABC:/b.mp3", "AZ:/a.mp3"};
        QTest::newRow("Cyrillic by the locale")
            << "ru_RU"
            << QStringList{"жукC:/b.mp3", "ЯблокоC:/c.mp3", "ёжC:/a.mp3", "арбузC:/d.mp3"}
            << QStringList{"арбузC:/d.mp3", "ёжC:/a.mp3", "жукC:/b.mp3", "ЯблокоC:/c.mp3"};
    }
    void alphabetical() {
        QFETCH(QString, locale);
        QFETCH(QStringList, entries);
        QFETCH(QStringList, sorted);
        LogicEnv env;
        const QLocale before;
        QLocale::setDefault(QLocale(locale));
        openSongs(entries, 1);

        EditSortAlfavit_Click();
        QLocale::setDefault(before);

        QCOMPARE(frmForma().ListPath, sorted);
        QCOMPARE(frmForma().PlayList.List(0), QStringLiteral("1.") + songTitle(sorted[0]));
        QVERIFY(frmForma().ListAlfavit.isEmpty());
        QCOMPARE(frmForma().PlayList.ListIndex(), 1);
        QCOMPARE(G().AlbomChanged, 1);
    }

    void oneSongStaysPut_data() {
        QTest::addColumn<int>("handler");
        QTest::newRow("alphabetical") << 0;
        QTest::newRow("reverse") << 1;
        QTest::newRow("shuffle") << 2;
    }
    void oneSongStaysPut() {
        QFETCH(int, handler);
        const std::array<void (*)(), 3> handlers{EditSortAlfavit_Click, EditSortRevers_Click,
                                                 EditSortRand_Click};
        LogicEnv env;
        openSongs(songs(1), 0);
        handlers.at(handler)();
        QCOMPARE(frmForma().ListPath, songs(1));
        QCOMPARE(frmForma().PlayList.ListIndex(), 0);
        QCOMPARE(G().AlbomChanged, 1);
    }

    void reverseTwiceRestores_data() {
        QTest::addColumn<int>("count");
        QTest::newRow("empty album") << 0;
        QTest::newRow("four songs") << 4;
    }
    void reverseTwiceRestores() {
        QFETCH(int, count);
        LogicEnv env;
        openSongs(songs(count), count - 1);
        SortReversM();
        QStringList reversed = songs(count);
        std::reverse(reversed.begin(), reversed.end());
        QCOMPARE(frmForma().ListPath, reversed);
        QCOMPARE(frmForma().PlayList.ListIndex(), count - 1);
        SortReversM();
        QCOMPARE(frmForma().ListPath, songs(count));
    }

    void shuffleKeepsSelectedSong_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("selected");
        QTest::newRow("third of five") << 5 << 2;
        QTest::newRow("last of fifty") << 50 << 49;
        QTest::newRow("none selected") << 50 << -1;
    }
    void shuffleKeepsSelectedSong() {
        QFETCH(int, count);
        QFETCH(int, selected);
        LogicEnv env;
        G().NumPesni = 1;
        openSongs(songs(count), selected);
        SortRandM();
        QStringList now = frmForma().ListPath;
        const QString picked = selected < 0 ? QString() : songs(count)[selected];
        QCOMPARE(frmForma().PlayList.ListIndex(), int(now.indexOf(picked)));
        QCOMPARE(G().NumPesni, 1);
        now.sort();
        QStringList all = songs(count);
        all.sort();
        QCOMPARE(now, all);
    }

    // Every order of three songs comes up about equally often.
    void shuffleIsUniform() {
        LogicEnv env;
        QRandomGenerator gen(20240);
        QHash<QString, int> seen;
        for (int i = 0; i < 6000; ++i) {
            openSongs({"aC:/a", "bC:/b", "cC:/c"}, -1);
            shuffleListPath(gen);
            ++seen[frmForma().ListPath.join(QString())];
        }
        QCOMPARE(seen.size(), 6);
        for (int n : std::as_const(seen))
            QVERIFY2(n > 850 && n < 1150, qPrintable(QString::number(n)));
    }
};

QTEST_GUILESS_MAIN(TestSorting)
#include "tst_sorting.moc"
