#include "Fakes.h"

#include "core/Forma.h"
#include "core/Globals.h"
#include "core/Language.h"
#include "editing/ChangeModel.h"

#include <algorithm>

using namespace tv;
using namespace tv::test;

namespace {

const QStringList kAlbum = {"Кино: Группа кровиC:/Music/a.mp3", "АрияC:/Music/b.mp3",
                            "DDTE:/Other/c.mp3"};

void openSongs(const QStringList &entries, int selected) {
    frmForma().ListPath = entries;
    frmForma().PlayList.rebuild();
    frmForma().PlayList.setListIndex(selected);
    G().AlbomChanged = 0;
}

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

class TestTitleEditor : public QObject {
    Q_OBJECT
    std::unique_ptr<LogicEnv> env;

private slots:
    void init() {
        env = std::make_unique<LogicEnv>();
        LanguageEnM();
    }
    void cleanup() { env.reset(); }

    // Loading splits every entry at its last ":" and takes the main list's
    // selection; the title of the selected row is in the text box.
    void load_data() {
        columns<QStringList, int, QStringList, QStringList, QString>("entries", "selected",
                                                                     "titles", "paths", "text");
        row("colon in a title", kAlbum, 0, QStringList{"Кино: Группа крови", "Ария", "DDT"},
            QStringList{"C:/Music/a.mp3", "C:/Music/b.mp3", "E:/Other/c.mp3"},
            QStringLiteral("Кино: Группа крови"));
        row("no row selected", kAlbum, -1, QStringList{"Кино: Группа крови", "Ария", "DDT"},
            QStringList{"C:/Music/a.mp3", "C:/Music/b.mp3", "E:/Other/c.mp3"}, QString());
        // Only a hand-edited album holds these; they must survive the editor.
        row("entries without a drive colon", QStringList{"loose", ":odd", "bC:/b"}, 1,
            QStringList{"loose", ":odd", "b"}, QStringList{"", "", "C:/b"}, QStringLiteral(":odd"));
        row("empty title", QStringList{"C:/a.mp3"}, 0, QStringList{""}, QStringList{"C:/a.mp3"},
            QString());
    }
    void load() {
        QFETCH(QStringList, entries);
        QFETCH(int, selected);
        QFETCH(QStringList, titles);
        QFETCH(QStringList, paths);
        QFETCH(QString, text);
        openSongs(entries, selected);
        ChangeModel m;
        QStringList shown;
        for (int i = 0; i < m.ListCount(); ++i)
            shown << m.List(i);
        QCOMPARE(shown, titles);
        QCOMPARE(m.ListPath(), paths);
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

    // A script of steps on the album kAlbum with one row selected; then what
    // the editor and the album show.
    void script_data() {
        columns<int, QString, QString, int, QString, bool, bool, QStringList>(
            "selected", "steps", "text", "row", "rows", "okEnabled", "unloaded", "album");
        const QStringList same = kAlbum;
        row("OK is disabled before a change", 1, "ok", "Ария", 1, "Кино: Группа крови|Ария|DDT",
            false, false, same);
        row("an unchanged title keeps OK disabled", 1, "change", "Ария", 1,
            "Кино: Группа крови|Ария|DDT", false, false, same);
        row("a new title with a colon", 1, "text:Ария: Штиль|change|ok", "Ария: Штиль", 1,
            "Кино: Группа крови|Ария: Штиль|DDT", true, true,
            QStringList{kAlbum[0], "Ария: ШтильC:/Music/b.mp3", kAlbum[2]});
        row("a title is taken as typed", 0, "text: x |change|ok", " x ", 0, " x |Ария|DDT", true,
            true, QStringList{" x C:/Music/a.mp3", kAlbum[1], kAlbum[2]});
        row("a pasted line break becomes a blank", 0, "text:a\r\nb|change|ok", "a\r\nb", 0,
            "a  b|Ария|DDT", true, true, QStringList{"a  bC:/Music/a.mp3", kAlbum[1], kAlbum[2]});
        row("Up in the text box on the first row", 0, "key:38", "Кино: Группа крови", 0,
            "Кино: Группа крови|Ария|DDT", false, false, same);
        row("Down in the text box on the last row", 2, "key:40", "DDT", 2,
            "Кино: Группа крови|Ария|DDT", false, false, same);
        row("kUP on the first row", 0, "up", "Кино: Группа крови", 0, "Кино: Группа крови|Ария|DDT",
            false, false, same);
        row("kDOWN on the last row", 2, "down", "DDT", 2, "Кино: Группа крови|Ария|DDT", false,
            false, same);
        row("a move carries the path", 0, "down|ok", "Кино: Группа крови", 1,
            "Ария|Кино: Группа крови|DDT", true, true,
            QStringList{kAlbum[1], kAlbum[0], kAlbum[2]});
        row("moves and a retitle", 2, "up|up|text:Осень|change|ok", "Осень", 0,
            "Осень|Кино: Группа крови|Ария", true, true,
            QStringList{"ОсеньE:/Other/c.mp3", kAlbum[0], kAlbum[1]});
        row("OK stays enabled when the old title returns", 1, "text:X|change|text:Ария|change",
            "Ария", 1, "Кино: Группа крови|Ария|DDT", true, false, same);
        row("Esc in the text box discards", 1, "text:X|change|down|esc-text", "X", 2,
            "Кино: Группа крови|DDT|X", true, true, same);
        row("Esc in the list discards", 0, "down|esc-list", "Кино: Группа крови", 1,
            "Ария|Кино: Группа крови|DDT", true, true, same);
        row("another key in the list", 0, "keyup-list:13", "Кино: Группа крови", 0,
            "Кино: Группа крови|Ария|DDT", false, false, same);
        row("Cancel discards", 0, "up|down|cancel", "Кино: Группа крови", 1,
            "Ария|Кино: Группа крови|DDT", true, true, same);
        row("no row: Change, kUP, Up do nothing", -1, "text:X|change|up|key:38", "X", -1,
            "Кино: Группа крови|Ария|DDT", false, false, same);
        row("no row: kDOWN does nothing", -1, "down", "", -1, "Кино: Группа крови|Ария|DDT", false,
            false, same);
        row("no row: Down selects the first", -1, "key:40", "Кино: Группа крови", 0,
            "Кино: Группа крови|Ария|DDT", false, false, same);
    }
    void script() {
        QFETCH(int, selected);
        QFETCH(QString, steps);
        QFETCH(QString, text);
        QFETCH(int, row);
        QFETCH(QString, rows);
        QFETCH(bool, okEnabled);
        QFETCH(bool, unloaded);
        QFETCH(QStringList, album);
        openSongs(kAlbum, selected);
        G().NumPesni = 2;
        ChangeModel m;
        for (const QString &action : steps.split(QLatin1Char('|')))
            step(m, action);
        QCOMPARE(m.Text1(), text);
        QCOMPARE(m.ListIndex(), row);
        QStringList shown;
        for (int i = 0; i < m.ListCount(); ++i)
            shown << m.List(i);
        QCOMPARE(shown.join(QLatin1Char('|')), rows);
        QCOMPARE(m.kOKEnabled(), okEnabled);
        QCOMPARE(m.unloaded(), unloaded);
        QCOMPARE(frmForma().ListPath, album);
        const bool applied = album != kAlbum;
        QCOMPARE(G().AlbomChanged, int(applied));
        // The main list keeps its selection; playback is not touched.
        QCOMPARE(frmForma().PlayList.ListIndex(), selected);
        QCOMPARE(G().NumPesni, 2);
        if (applied) {
            QStringList numbered;
            for (int i = 0; i < album.size(); ++i)
                numbered << QString::number(i + 1) + QLatin1Char('.') + shown[i];
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

    // Entries a hand-edited file may hold come back from OK as they were.
    void oddEntriesSurviveOK() {
        const QStringList odd = {"loose", ":odd", "bC:/b", "C:/nameless"};
        openSongs(odd, 2);
        ChangeModel m;
        m.setText1(QStringLiteral("B"));
        m.kChange_Click();
        m.kOK_Click();
        QCOMPARE(frmForma().ListPath, QStringList({"loose", ":odd", "BC:/b", "C:/nameless"}));
    }
};

QTEST_GUILESS_MAIN(TestTitleEditor)
#include "tst_titleeditor.moc"
