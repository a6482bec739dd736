#include "LogicTest.h"

#include "core/AlbumFormat.h"
#include "editing/ChangeModel.h"

using namespace tv;
using namespace tv::test;

namespace {

const QStringList kAlbum = {"Кино: Группа кровиC:/Music/a.mp3", "АрияC:/Music/b.mp3",
                            "DDTE:/Other/c.mp3"};
const QString kTitles = "Кино: Группа крови|Ария|DDT";

// Runs one step of a script on the editor: "text:<typed>", a button
// ("change", "up", "down", "ok", "cancel"), "key:<code>" (a key going down in
// the text box), "keyup-text:<code>" or "keyup-list:<code>" (one coming up).
void step(ChangeModel &m, const QString &action) {
    static const QHash<QString, void (ChangeModel::*)()> buttons = {
        {"change", &ChangeModel::kChange_Click},
        {"up", &ChangeModel::kUP_Click},
        {"down", &ChangeModel::kDOWN_Click},
        {"ok", &ChangeModel::kOK_Click},
        {"cancel", &ChangeModel::kCancel_Click}};
    const QString arg = action.section(QLatin1Char(':'), 1);
    if (buttons.contains(action))
        (m.*buttons[action])();
    else if (action.startsWith(QLatin1String("text:")))
        m.setText1(arg);
    else if (action.startsWith(QLatin1String("key:")))
        QVERIFY(m.Text1_KeyDown(arg.toInt()));
    else if (action.startsWith(QLatin1String("keyup-text:")))
        m.Text1_KeyUp(arg.toInt());
    else if (action.startsWith(QLatin1String("keyup-list:")))
        m.List1_KeyUp(arg.toInt());
    else
        QFAIL(qPrintable(QStringLiteral("unknown step ") + action));
}

} // namespace

class TestTitleEditor : public LogicTest {
    Q_OBJECT
private slots:
    // The captions are the language's, whichever it is.
    void textsFollowTheLanguage() {
        for (void (*language)() : {LanguageRuM, LanguageEnM}) {
            language();
            ChangeModel m;
            QCOMPARE(m.Caption(), frmForma().EditChange.Caption());
            QCOMPARE(m.kChangeCaption(), G().strChange);
            QCOMPARE(m.kCancelCaption(), G().strCancel);
        }
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
        r("moves and a retitle", 2, "up|up|text:Осень|change|ok", "Осень", 0,
          "Осень|Кино: Группа крови|Ария", true, true,
          "ОсеньE:/Other/c.mp3|" + kAlbum[0] + '|' + kAlbum[1]);
        r("OK stays enabled when the old title returns", 1, "text:X|change|text:Ария|change",
          "Ария", 1, kTitles, true, false);
        r("Esc in the text box discards", 1, "text:X|change|down|keyup-text:27", "X", 2,
          "Кино: Группа крови|DDT|X", true, true);
        r("Esc in the list discards", 0, "down|keyup-list:27", "Кино: Группа крови", 1,
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
        r("a stored title's tab becomes a blank at OK", 0, "down|ok", "a\tb", 1, "B|a\tb", true,
          true, "BC:/b|a bC:/a", {"a\tbC:/a", "BC:/b"});
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
        // The main list shows the titles as the album took them.
        if (applied) {
            QStringList numbered;
            for (int i = 0; i < m.ListCount(); ++i)
                numbered << QString::number(i + 1) + QLatin1Char('.') +
                                SongEntry::cleanTitle(m.List(i));
            QCOMPARE(playListRows(), numbered);
        }
    }
};

QTEST_GUILESS_MAIN(TestTitleEditor)
#include "tst_titleeditor.moc"
