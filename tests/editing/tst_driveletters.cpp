#include "LogicTest.h"

#include "editing/NewDiskModel.h"

using namespace tv;
using namespace tv::test;

namespace {

QStringList split(const char *entries) {
    return QString::fromUtf8(entries).split(QLatin1Char('|'), Qt::SkipEmptyParts);
}

} // namespace

class TestDriveLetters : public LogicTest {
    Q_OBJECT
public:
    TestDriveLetters() : LogicTest(Lang::English) {}

private slots:

    // The first box opens with the letter of song 1 as it is stored.
    void load_data() {
        columns<QStringList, QString>("entries", "first");
        row("upper case", split("aC:/x.mp3|bD:/y.mp3"), QStringLiteral("C"));
        row("lower case as stored", split("ae:/x.mp3"), QStringLiteral("e"));
        row("colon in the title", split("Кино: кровьF:/x.mp3"), QStringLiteral("F"));
        row("empty album", QStringList(), QString());
        row("no drive colon", split("loose|bC:/y.mp3"), QString());
    }
    void load() {
        QFETCH(QStringList, entries);
        openSongs(entries, int(entries.size()) - 1);
        NewDiskModel m;
        QTEST(m.Text1(0), "first");
        QCOMPARE(m.Text1(1), QString());
        QVERIFY(!m.kOKEnabled());
        QVERIFY(m.kNOEnabled());
        // Cancel leaves and changes nothing.
        m.kNO_Click();
        QVERIFY(m.unloaded());
        QCOMPARE(frmForma().ListPath, entries);
        QVERIFY(env->dialogs.msgs.isEmpty());
    }

    // OK, once both boxes hold a letter each and they differ, rewrites the
    // letter before each entry's last ":", reports the count and marks the
    // album changed only when a path changed; before, it does nothing (a
    // count of -1).
    void replace_data() {
        columns<QStringList, QString, QString, QStringList, int>("entries", "from", "to", "after",
                                                                 "count");
        row("C to c", split("aC:/x|bc:/y|cD:/z"), QStringLiteral("C"), QStringLiteral("c"),
            split("ac:/x|bc:/y|cD:/z"), 2);
        row("no entry on the drive", split("aC:/x|bD:/y"), QStringLiteral("E"), QStringLiteral("F"),
            split("aC:/x|bD:/y"), 0);
        row("colons in titles", split("Кино: ГруппаC:/x|abc:E:/y"), QStringLiteral("C"),
            QStringLiteral("F"), split("Кино: Группаf:/x|abc:E:/y"), 1);
        row("entries without a drive colon are skipped", split("c|:c/x|aC:/x"), QStringLiteral("c"),
            QStringLiteral("d"), split("c|:c/x|ad:/x"), 1);
        row("counted but unchanged", split("ac:/x|bc:/y"), QStringLiteral("C"), QStringLiteral("c"),
            split("ac:/x|bc:/y"), 2);
        row("Cyrillic letters", split("aД:/x"), QStringLiteral("д"), QStringLiteral("Z"),
            split("az:/x"), 1);
        row("same letter", split("aC:/x"), QStringLiteral("C"), QStringLiteral("C"), split("aC:/x"),
            -1);
        row("second box empty", split("aC:/x"), QStringLiteral("C"), QString(), split("aC:/x"), -1);
        row("first box empty", split("aC:/x"), QString(), QStringLiteral("D"), split("aC:/x"), -1);
    }
    void replace() {
        QFETCH(QStringList, entries);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QStringList, after);
        QFETCH(int, count);
        openSongs(entries, int(entries.size()) - 1); // the last entry selected
        const QStringList rows = playListRows();
        G().NumPesni = 0;
        NewDiskModel m;
        m.setText1(0, from);
        m.setText1(1, to);
        QCOMPARE(m.kOKEnabled(), count >= 0);
        bool buttonsOffDuringMessage = false;
        env->dialogs.onMsg = [&m, &buttonsOffDuringMessage](const MsgCall &) {
            buttonsOffDuringMessage = !m.kOKEnabled() && !m.kNOEnabled() && !m.unloaded();
        };
        m.kOK_Click();
        QCOMPARE(frmForma().ListPath, after);
        QCOMPARE(m.unloaded(), count >= 0);
        QCOMPARE(G().AlbomChanged, int(after != entries));
        // Titles, order, selection and the song that plays stay.
        QCOMPARE(playListRows(), rows);
        QCOMPARE(frmForma().PlayList.ListIndex(), int(entries.size()) - 1);
        QCOMPARE(G().NumPesni, 0);
        QCOMPARE(env->dialogs.msgs.size(), int(count >= 0));
        if (count < 0)
            return;
        const MsgCall msg = env->dialogs.msgs.first();
        QCOMPARE(msg.prompt, QStringLiteral("Quantity of replacements: %1").arg(count));
        QCOMPARE(msg.style, int(vbOKOnly | vbInformation));
        QVERIFY(buttonsOffDuringMessage);
    }
};

QTEST_GUILESS_MAIN(TestDriveLetters)
#include "tst_driveletters.moc"
