#include "Fakes.h"

#include "core/Forma.h"
#include "core/Globals.h"
#include "core/UpDatePlayListM.h"

#include <QSignalSpy>
#include <QTest>

using namespace tv;
using namespace tv::test;

namespace {

QStringList shown() {
    QStringList rows;
    const PlayListModel &list = frmForma().PlayList;
    for (int i = 0; i < list.ListCount(); ++i)
        rows << list.List(i);
    return rows;
}

// The playlist as it stood before an edit: songs shown, one selected.
void showSongs(const QStringList &songs, int selected) {
    Forma &f = frmForma();
    f.ListPath = songs;
    f.PlayList.rebuild();
    f.PlayList.setListIndex(selected);
}

} // namespace

class TestPlayList : public QObject {
    Q_OBJECT
private slots:
    void selectionAfterRefresh_data() {
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("remaining");
        QTest::addColumn<int>("after");
        QTest::newRow("kept") << 4 << 1 << 4 << 1;
        QTest::newRow("kept when a song before it went") << 4 << 2 << 3 << 2;
        QTest::newRow("last removed moves up") << 4 << 3 << 3 << 2;
        QTest::newRow("several removed at the end") << 5 << 4 << 2 << 1;
        QTest::newRow("first and only removed") << 1 << 0 << 0 << -1;
        QTest::newRow("nothing selected") << 4 << -1 << 3 << -1;
        QTest::newRow("empty list") << 0 << -1 << 0 << -1;
    }
    void selectionAfterRefresh() {
        QFETCH(int, before);
        QFETCH(int, selected);
        QFETCH(int, remaining);
        QFETCH(int, after);
        LogicEnv env;
        QStringList songs;
        for (int i = 0; i < before; ++i)
            songs << QStringLiteral("T%1C:/m/%1.mp3").arg(i);
        showSongs(songs, selected);
        G().AlbomChanged = 0;
        QSignalSpy focus(&frmForma(), &Forma::focusRequested);

        frmForma().ListPath = songs.mid(0, remaining);
        UpDatePlayListM();

        QCOMPARE(frmForma().PlayList.ListCount(), remaining);
        QCOMPARE(frmForma().PlayList.ListIndex(), after);
        QCOMPARE(G().AlbomChanged, 1);
        QCOMPARE(focus.size(), 1);
        QCOMPARE(focus.first().first().value<Forma::Control>(), Forma::Control::PlayList);
    }

    void rowsAreNumberDotTitle_data() {
        QTest::addColumn<QStringList>("songs");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("plain") << QStringList{"DawnC:/m/dawn.mp3", "DuskD:/x/dusk.mp3"}
                               << QStringList{"1.Dawn", "2.Dusk"};
        QTest::newRow("title with a colon")
            << QStringList{"Live: Act 2C:/live/act2.mp3"} << QStringList{"1.Live: Act 2"};
        QTest::newRow("empty title") << QStringList{"C:/m/a.mp3"} << QStringList{"1."};
        QTest::newRow("blanks and commas kept")
            << QStringList{"  Slow, slower C:/m/s.mp3"} << QStringList{"1.  Slow, slower "};
        QTest::newRow("no drive colon is shown whole")
            << QStringList{"broken line", "NextC:/n.mp3"} << QStringList{"1.broken line", "2.Next"};
        QTest::newRow("numbers past nine")
            << QStringList(10, "xC:/a.mp3")
            << QStringList{"1.x", "2.x", "3.x", "4.x", "5.x", "6.x", "7.x", "8.x", "9.x", "10.x"};
    }
    void rowsAreNumberDotTitle() {
        QFETCH(QStringList, songs);
        QFETCH(QStringList, rows);
        LogicEnv env;
        frmForma().ListPath = songs;
        UpDatePlayListM();
        QCOMPARE(shown(), rows);
        QCOMPARE(frmForma().ListPath, songs);
    }

    void refreshLeavesTheCurrentSongAlone() {
        LogicEnv env;
        showSongs({"AC:/a.mp3", "BC:/b.mp3", "CC:/c.mp3"}, 0);
        G().NumPesni = 2;
        env.player.setURL("C:/c.mp3");
        env.player.calls.clear();
        frmForma().ListPath.removeFirst();
        UpDatePlayListM();
        QCOMPARE(G().NumPesni, 2);
        QVERIFY(env.player.calls.isEmpty());
        QCOMPARE(shown(), QStringList({"1.B", "2.C"}));
    }
};

QTEST_GUILESS_MAIN(TestPlayList)
#include "tst_playlist.moc"
