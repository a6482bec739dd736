#include "LogicTest.h"

#include "editing/Removing.h"

using namespace tv;
using namespace tv::test;

namespace {

// Songs shown, one selected, the second one playing, the album unchanged.
void openPlaying(LogicEnv &env, int count, int selected) {
    env.fillPlayList(count);
    frmForma().PlayList.setListIndex(selected);
    G().NumPesni = 1;
    env.player.setURL(QStringLiteral("C:/Music/1.mp3"));
    env.player.calls.clear();
}

} // namespace

class TestRemoving : public LogicTest {
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
        QFETCH(QString, rows);
        openPlaying(*env, count, selected);
        clear ? EditClear_Click() : EditDel_Click();
        QCOMPARE(playListRows(), rows.split('|', Qt::SkipEmptyParts));
        QCOMPARE(frmForma().ListPath.size(), playListRows().size());
        QTEST(frmForma().PlayList.ListIndex(), "after");
        QTEST(G().AlbomChanged, "changed");
        QCOMPARE(G().NumPesni, 1);
        QVERIFY(env->player.calls.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestRemoving)
#include "tst_removing.moc"
