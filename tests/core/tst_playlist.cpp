#include "LogicTest.h"

#include "core/AlbumFormat.h"
#include "core/Forma.h"
#include "core/Globals.h"
#include "core/UpDatePlayListM.h"
#include "playback/NewPlayM.h"

#include <QSignalSpy>

using namespace tv;
using namespace tv::test;

class TestPlayList : public LogicTest {
    Q_OBJECT
private slots:
    // (The last or the only song removed: tst_editmenu's rows, through the same refresh.)
    void selectionAfterRefresh_data() {
        columns<int, int, int, int>("before", "selected", "remaining", "after");
        QTest::newRow("kept when a song before it went") << 4 << 2 << 3 << 2;
        QTest::newRow("several removed at the end") << 5 << 4 << 2 << 1;
        QTest::newRow("nothing selected") << 4 << -1 << 3 << -1;
        QTest::newRow("empty list") << 0 << -1 << 0 << -1;
    }
    void selectionAfterRefresh() {
        QFETCH(int, before);
        QFETCH(int, selected);
        QFETCH(int, remaining);
        Forma &f = frmForma();
        env->fillPlayList(before);
        f.PlayList.setListIndex(selected);
        G().NumPesni = 2;
        QSignalSpy focus(&f, &Forma::focusRequested);

        f.ListPath = f.ListPath.mid(0, remaining);
        UpDatePlayListM();
        QCOMPARE(f.PlayList.ListCount(), remaining);
        QTEST(f.PlayList.ListIndex(), "after");
        QCOMPARE(G().AlbomChanged, 1);
        QCOMPARE(focus.size(), 1);
        QCOMPARE(focus[0][0].value<Forma::Control>(), Forma::Control::PlayList);
        // The song playing is not the refresh's business.
        QCOMPARE(G().NumPesni, 2);
        QVERIFY(env->player.calls.isEmpty());
    }

    // A title of 20 MB: the row and the title panel show its beginning (no
    // half of a surrogate pair), the album keeps it whole and saves it byte
    // for byte.
    void aHugeTitleIsShownCutAndKeptWhole_data() {
        columns<QString>("unit");
        row("letters", QString("a"));
        row("pairs cut in the middle", QString::fromUtf8("x😀"));
    }
    void aHugeTitleIsShownCutAndKeptWhole() {
        QFETCH(QString, unit);
        const QString title = unit.repeated(20'000'000 / unit.size());
        const QString entry = title + "C:/Music/0.mp3";
        env->drives.put("C:/Music/0.mp3");
        frmForma().ListPath << entry;
        UpDatePlayListM();
        NewPlayM(0);
        const QString shown = frmForma().PlayList.List(0);
        QVERIFY(shown.size() <= 2 + PlayListModel::kShownTitle);
        QVERIFY(shown.size() >= 2 + PlayListModel::kShownTitle - 1);
        QVERIFY(title.startsWith(shown.mid(2)));
        QVERIFY(!shown.back().isHighSurrogate());
        QCOMPARE(frmForma().nazvanie(), shown);
        QCOMPARE(frmForma().ListPath.first(), entry);
        QCOMPARE(AlbumFormat::parse(AlbumFormat::format(frmForma().ListPath)), QStringList{entry});
    }
};

QTEST_GUILESS_MAIN(TestPlayList)
#include "tst_playlist.moc"
