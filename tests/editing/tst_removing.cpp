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
    void remove_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<int>("after");
        QTest::addColumn<int>("changed");
        QTest::newRow("last row") << 3 << 2 << QStringList{"1.T0", "2.T1"} << 1 << 1;
        QTest::newRow("playing song") << 3 << 1 << QStringList{"1.T0", "2.T2"} << 1 << 1;
        QTest::newRow("only song") << 1 << 0 << QStringList{} << -1 << 1;
        QTest::newRow("nothing selected")
            << 3 << -1 << QStringList{"1.T0", "2.T1", "3.T2"} << -1 << 0;
    }
    void remove() {
        QFETCH(int, count);
        QFETCH(int, selected);
        QFETCH(QStringList, rows);
        QFETCH(int, after);
        QFETCH(int, changed);
        LogicEnv env;
        openPlaying(env.player, count, selected);
        EditDel_Click();
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

    void clearLeavesPlayingSongAndFlag() {
        LogicEnv env;
        openPlaying(env.player, 3, 1);
        EditClear_Click();
        QVERIFY(frmForma().ListPath.isEmpty());
        QCOMPARE(frmForma().PlayList.ListCount(), 0);
        QCOMPARE(frmForma().PlayList.ListIndex(), -1);
        QCOMPARE(G().AlbomChanged, 0);
        QCOMPARE(G().NumPesni, 1);
        QCOMPARE(env.player.playState(), int(MediaPlayer::Playing));
        QVERIFY(env.player.calls.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestRemoving)
#include "tst_removing.moc"
