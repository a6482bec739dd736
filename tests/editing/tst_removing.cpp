#include "Fakes.h"

#include "core/Forma.h"
#include "core/Globals.h"
#include "editing/Removing.h"

#include <QTest>

using namespace tv;
using namespace tv::test;

namespace {

// Songs shown, one selected, the second one playing, the album unchanged.
void openPlaying(FakePlayer &player, int count, int selected) {
    for (int i = 0; i < count; ++i)
        frmForma().ListPath << QStringLiteral("T%1C:/m/%1.mp3").arg(i);
    frmForma().PlayList.rebuild();
    frmForma().PlayList.setListIndex(selected);
    G().NumPesni = 1;
    player.setURL(QStringLiteral("C:/m/1.mp3"));
    player.calls.clear();
}

} // namespace

class TestRemoving : public QObject {
    Q_OBJECT
private slots:
    // The playing song plays on whatever is removed.
    void remove_data() {
        QTest::addColumn<bool>("clear");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<int>("after");
        QTest::addColumn<int>("changed");
        QTest::newRow("last row") << false << 3 << 2 << QStringList{"1.T0", "2.T1"} << 1 << 1;
        QTest::newRow("playing song") << false << 3 << 1 << QStringList{"1.T0", "2.T2"} << 1 << 1;
        QTest::newRow("only song") << false << 1 << 0 << QStringList{} << -1 << 1;
        QTest::newRow("nothing selected")
            << false << 3 << -1 << QStringList{"1.T0", "2.T1", "3.T2"} << -1 << 0;
        // An album emptied by Clear alone is not offered for saving.
        QTest::newRow("clear") << true << 3 << 1 << QStringList{} << -1 << 0;
    }
    void remove() {
        QFETCH(bool, clear);
        QFETCH(int, count);
        QFETCH(int, selected);
        QFETCH(QStringList, rows);
        QFETCH(int, after);
        QFETCH(int, changed);
        LogicEnv env;
        openPlaying(env.player, count, selected);
        clear ? EditClear_Click() : EditDel_Click();
        QStringList shown;
        for (int i = 0; i < frmForma().PlayList.ListCount(); ++i)
            shown << frmForma().PlayList.List(i);
        QCOMPARE(shown, rows);
        QCOMPARE(frmForma().ListPath.size(), rows.size());
        QCOMPARE(frmForma().PlayList.ListIndex(), after);
        QCOMPARE(G().AlbomChanged, changed);
        QCOMPARE(G().NumPesni, 1);
        QVERIFY(env.player.calls.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestRemoving)
#include "tst_removing.moc"
