#include "LogicTest.h"

#include "editing/ChangeModel.h"

#include <algorithm>

using namespace tv;
using namespace tv::test;

namespace {

const QStringList kAlbum = {"Кино: Группа кровиC:/Music/a.mp3", "АрияC:/Music/b.mp3",
                            "DDTE:/Other/c.mp3"};
const QString kTitles = "Кино: Группа крови|Ария|DDT";

// Runs one step of a script on the editor: "text:<typed>", "change", "up",
// "down", "key:<code>" (a key going down in the text box), "esc-text",
// "esc-list", "keyup-list:<code>", "ok", "cancel".
void step(ChangeModel &m, const QString &action) {
    const QString arg = action.section(QLatin1Char(':'), 1);
    if (action.startsWith(QLatin1String("text:")))
        m.setText1(arg);
    else if (action == QLatin1String("change"))
        m.kChange_Click();
    else if (action == QLatin1String("up"))
        m.kUP_Click();
    else if (action == QLatin1String("down"))
        m.kDOWN_Click();
    else if (action.startsWith(QLatin1String("key:")))
        QVERIFY(m.Text1_KeyDown(arg.toInt()));
    else if (action == QLatin1String("esc-text"))
        m.Text1_KeyUp(27);
    else if (action == QLatin1String("esc-list"))
        m.List1_KeyUp(27);
    else if (action.startsWith(QLatin1String("keyup-list:")))
        m.List1_KeyUp(arg.toInt());
    else if (action == QLatin1String("ok"))
        m.kOK_Click();
    else if (action == QLatin1String("cancel"))
        m.kCancel_Click();
    else
        QFAIL(qPrintable(QStringLiteral("unknown step ") + action));
}

} // namespace

class TestTitleEditor : public LogicTest {
    Q_OBJECT
public:
    TestTitleEditor() : LogicTest(Lang::English) {}

private slots:
    // Loading splits every entry at its last ":" and takes the main list's
    // selection; the title of the selected row is in the text box.
    void load_data() {
        columns<QStringList, int, QStringList, QStringList, QString>("entries", "selected",
                                                                     "titles", "paths", "text");
        const QStringList paths{"C:/Music/a.mp3", "C:/Music/b.mp3", "E:/Other/c.mp3"};
        row("colon in a title", kAlbum, 0, kTitles.split('|'), paths,
            QStringLiteral("Кино: Группа крови"));
        row("no row selected", kAlbum, -1, kTitles.split('|'), paths, QString());
        // Only a hand-edited album holds these; they must survive the editor.
        row("entries without a drive colon", QStringList{"loose", ":odd", "bC:/b"}, 1,
            QStringList{"loose", ":odd", "b"}, QStringList{"", "", "C:/b"}, QStringLiteral(":odd"));
        row("empty title", QStringList{"C:/a.mp3"}, 0, QStringList{""}, QStringList{"C:/a.mp3"},
            QString());
    }
    void load() {
        QFETCH(QStringList, entries);
        QFETCH(int, selected);
        QFETCH(QString, text);
        openSongs(entries, selected);
        ChangeModel m;
        QTEST(listRows(m), "titles");
        QTEST(m.ListPath(), "paths");
        QCOMPARE(m.ListIndex(), selected);
        QCOMPARE(m.Text1(), text);
        QCOMPARE(m.kChangeEnabled(), !text.isEmpty());
        QVERIFY(!m.kOKEnabled());
        QCOMPARE(m.Caption(), QStringLiteral("Edit title"));
        QCOMPARE(m.kChangeCaption(), QStringLiteral("Change"));
        QCOMPARE(m.kCancelCaption(), QStringLiteral("Cancel"));
    }

    void texts_follow_the_language() {
        LanguageRuM();
        openSongs(kAlbum, 0);
        ChangeModel m;
        QCOMPARE(m.Caption(), QStringLiteral("Редактировать"));
        QCOMPARE(m.kChangeCaption(), QStringLiteral("Изменить"));
        QCOMPARE(m.kCancelCaption(), QStringLiteral("Отмена"));
    }

    // A script of steps on an album (kAlbum unless told) with one row
    // selected; then what the editor shows, and the album ("" when it is
    // unchanged).
    void script_data() {
        columns<int, QString, QString, int, QString, bool, bool, QString, QStringList>(
            "selected", "steps", "text", "row", "rows", "okEnabled", "unloaded", "album",
            "entries");
        const auto r = [](const char *name, int selected, const char *steps, const char *text,
                          int row, const QString &rows, bool ok, bool unloaded,
                          const QString &album = QString(), const QStringList &entries = kAlbum) {
            tv::test::row(name, selected, QString(steps), QString(text), row, rows, ok, unloaded,
                          album, entries);
        };
        const QString moved = kAlbum[1] + '|' + kAlbum[0] + '|' + kAlbum[2];
        r("OK is disabled before a change", 1, "ok", "Ария", 1, kTitles, false, false);
        r("an unchanged title keeps OK disabled", 1, "change", "Ария", 1, kTitles, false, false);
        r("a new title with a colon", 1, "text:Ария: Штиль|change|ok", "Ария: Штиль", 1,
          "Кино: Группа крови|Ария: Штиль|DDT", true, true,
          kAlbum[0] + "|Ария: ШтильC:/Music/b.mp3|" + kAlbum[2]);
        r("a title is taken as typed", 0, "text: x |change|ok", " x ", 0, " x |Ария|DDT", true,
          true, " x C:/Music/a.mp3|" + kAlbum[1] + '|' + kAlbum[2]);
        r("a pasted line break becomes a blank", 0, "text:a\r\nb|change|ok", "a\r\nb", 0,
          "a  b|Ария|DDT", true, true, "a  bC:/Music/a.mp3|" + kAlbum[1] + '|' + kAlbum[2]);
        r("Up in the text box on the first row", 0, "key:38", "Кино: Группа крови", 0, kTitles,
          false, false);
        r("Down in the text box on the last row", 2, "key:40", "DDT", 2, kTitles, false, false);
        r("kUP on the first row", 0, "up", "Кино: Группа крови", 0, kTitles, false, false);
        r("kDOWN on the last row", 2, "down", "DDT", 2, kTitles, false, false);
        r("a move carries the path", 0, "down|ok", "Кино: Группа крови", 1,
          "Ария|Кино: Группа крови|DDT", true, true, moved);
        r("moves and a retitle", 2, "up|up|text:Осень|change|ok", "Осень", 0,
          "Осень|Кино: Группа крови|Ария", true, true,
          "ОсеньE:/Other/c.mp3|" + kAlbum[0] + '|' + kAlbum[1]);
        r("OK stays enabled when the old title returns", 1, "text:X|change|text:Ария|change",
          "Ария", 1, kTitles, true, false);
        r("Esc in the text box discards", 1, "text:X|change|down|esc-text", "X", 2,
          "Кино: Группа крови|DDT|X", true, true);
        r("Esc in the list discards", 0, "down|esc-list", "Кино: Группа крови", 1,
          "Ария|Кино: Группа крови|DDT", true, true);
        r("another key in the list", 0, "keyup-list:13", "Кино: Группа крови", 0, kTitles, false,
          false);
        r("Cancel discards", 0, "up|down|cancel", "Кино: Группа крови", 1,
          "Ария|Кино: Группа крови|DDT", true, true);
        r("no row: Change, kUP, Up do nothing", -1, "text:X|change|up|key:38", "X", -1, kTitles,
          false, false);
        r("no row: kDOWN does nothing", -1, "down", "", -1, kTitles, false, false);
        // Entries a hand-edited file may hold come back from OK as they were.
        r("odd entries survive OK", 2, "text:B|change|ok", "B", 2, "loose|:odd|B|", true, true,
          "loose|:odd|BC:/b|C:/nameless", {"loose", ":odd", "bC:/b", "C:/nameless"});
        r("no row: Down selects the first", -1, "key:40", "Кино: Группа крови", 0, kTitles, false,
          false);
    }
    void script() {
        QFETCH(int, selected);
        QFETCH(QString, steps);
        QFETCH(QString, album);
        QFETCH(QStringList, entries);
        openSongs(entries, selected);
        G().NumPesni = 2;
        ChangeModel m;
        for (const QString &action : steps.split(QLatin1Char('|')))
            step(m, action);
        QTEST(m.Text1(), "text");
        QTEST(m.ListIndex(), "row");
        QTEST(listRows(m).join(QLatin1Char('|')), "rows");
        QTEST(m.kOKEnabled(), "okEnabled");
        QTEST(m.unloaded(), "unloaded");
        const bool applied = !album.isEmpty();
        QCOMPARE(frmForma().ListPath, applied ? album.split('|') : entries);
        QCOMPARE(G().AlbomChanged, int(applied));
        // The main list keeps its selection; playback is not touched.
        QCOMPARE(frmForma().PlayList.ListIndex(), selected);
        QCOMPARE(G().NumPesni, 2);
        if (applied) {
            QStringList numbered;
            for (int i = 0; i < m.ListCount(); ++i)
                numbered << QString::number(i + 1) + QLatin1Char('.') + m.List(i);
            QCOMPARE(playListRows(), numbered);
        }
    }

    // Every title keeps its own path through any number of moves.
    void movesKeepTitlesWithTheirPaths() {
        QStringList entries;
        for (int i = 0; i < 20; ++i)
            entries << QStringLiteral("Song %1C:/Music/%1.mp3").arg(i);
        openSongs(entries, 5);
        ChangeModel m;
        for (int i = 0; i < 30; ++i)
            i % 3 == 2 ? m.kUP_Click() : m.kDOWN_Click();
        m.kOK_Click();
        const QStringList now = frmForma().ListPath;
        QVERIFY(std::is_permutation(now.begin(), now.end(), entries.begin(), entries.end()));
        QCOMPARE(now.indexOf(entries[5]), 5 + 10);
    }
};

QTEST_GUILESS_MAIN(TestTitleEditor)
#include "tst_titleeditor.moc"
