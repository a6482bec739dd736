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
