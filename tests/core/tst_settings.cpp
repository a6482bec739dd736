#include "AlbumKit.h"
#include "LogicTest.h"

#include "core/Settings.h"

using namespace tv;
using namespace tv::test;

namespace {

// What the reader can set, as key=value texts.
QMap<QString, QString> state() {
    const auto flag = [](bool b) { return QString::number(int(b)); };
    return {{"language", QString::number(G().Language)},
            {"albums", registry()},
            {"show", flag(G().ShowForm)},
            {"nonstop",
             flag(frmForma().MusicNonStop.Checked()) + flag(frmForma().pMenuNonStop.Checked())},
            {"end", G().NameEndAlbom},
            {"pesni", QString::number(G().NamePesni)},
            {"dir", G().strDir}};
}

// A file's bytes written as "line|line|": one CR LF at each bar.
QByteArray lines(const char *text) {
    return QByteArray(text).replace('|', "\r\n");
}

// "Джаз.alb" in Windows-1251.
const QByteArray kJazz1251("\xC4\xE6\xE0\xE7.alb");

} // namespace

class TestSettings : public LogicTest {
    Q_OBJECT
private slots:
    void writesTheEighteenLinesOfTwoAlbums() {
        G().Language = 1;
        setAlbumList({{"Rock.alb", 3}, {QString::fromUtf8("Джаз.alb"), -1}});
        G().ShowForm = false;
        frmForma().MusicNonStop.setChecked(true);
        G().NameEndAlbom = QString::fromUtf8("Джаз.alb");
        G().NamePesni = 1;
        // A folder the file cannot hold as a line is remembered as the program's.
        G().strDir = QStringLiteral("C:/Mu\nsic/");
        QCOMPARE(writeSettings(), lines("[language]| 1 |[albom]| 1 |Rock.alb| 3 |") + kJazz1251 +
                                      lines("|-1 |[showform]|False|[musicnonstop]|True|"
                                            "[nameendalbom]|") +
                                      kJazz1251 + lines("|[namepesni]| 1 |[strDir]|C:/Tonvela/|"));
    }

    void reads_data() {
        // changed: key=value;... against the start state: English, registry
        // {old.alb: 5}, shown, no tick, "before.alb" to reopen, titles from files, C:/Tonvela/.
        columns<QByteArray, QString>("file", "changed");
        const auto r = [](const char *name, const char *text, const char *changed) {
            row(name, lines(text), QString(changed));
        };
        r("nothing", "", "");
        r("every section",
          "[language]| 0 |[albom]| 1 |A.alb| 3 |B.alb|-1 |[showform]|False|[musicnonstop]|True|"
          "[nameendalbom]|B.alb|[namepesni]| 0 |[strDir]|E:/Music/|",
          "language=0;albums=A.alb:3,B.alb:-1;show=0;nonstop=11;end=B.alb;pesni=0;dir=E:/Music/");
        // A marker in another case is a value: the next marker is then read as one.
        r("marker in another case", "[ShowForm]|False|[STRDIR]|[namepesni]| 0 |", "pesni=0");
        r("language 2 is not English", "[language]| 2 |", "language=0");
        r("albom count below -1", "[albom]|-7 |", "albums=");
        r("a section twice, the later wins",
          "[language]| 1 |[albom]| 0 |A.alb| 1 |[language]| 0 |[albom]| 1 |B.alb| 2 |C.alb| 3 |",
          "language=0;albums=B.alb:2,C.alb:3");
        r("ends in the registry", "[albom]| 2 |A.alb| 4 |B.alb|", "albums=A.alb:4,B.alb:0");
        r("ends before a value", "[showform]|False|[nameendalbom]|", "show=0");
        r("ends before the count", "[albom]|", "");
        r("number lines without a number",
          "[namepesni]|abc|[albom]| 1 |A.alb|x|B.alb| 2 |[language]||[strDir]|E:/m/|",
          "albums=A.alb:0,B.alb:2;dir=E:/m/");
        r("a count that is no number", "[albom]|many|A.alb| 1 |[showform]|False|", "show=0");
        r("huge count",
          "[albom]| 2000000000 |A.alb| 1 |B.alb|-1 |[showform]|False|[musicnonstop]|True|",
          "albums=A.alb:1,B.alb:-1;show=0;nonstop=11");
        r("showform not exactly True", "[showform]|true|", "show=0");
        r("empty name to reopen", "[nameendalbom]||", "end=");
        row("LF only", QByteArray("[musicnonstop]\nTrue\n[namepesni]\n 0 \n"),
            QString("nonstop=11;pesni=0"));
        row("utf-8 behind a mark", QByteArray("\xEF\xBB\xBF[strDir]\r\nC:/\xE9\x9F\xB3/\r\n"),
            QString("dir=C:/音/"));
        row("windows-1251", lines("[nameendalbom]|") + kJazz1251 + "\r\n", QString("end=Джаз.alb"));
    }
    void reads() {
        QFETCH(QByteArray, file);
        QFETCH(QString, changed);
        G().Language = 1;
        setAlbumList({{"old.alb", 5}});
        G().NameEndAlbom = QStringLiteral("before.alb");
        G().NamePesni = 1;
        auto expected = state();
        for (const QString &pair : changed.split(';', Qt::SkipEmptyParts))
            expected[pair.section('=', 0, 0)] = pair.section('=', 1);

        readSettings(file);
        QCOMPARE(state(), expected);
    }

    void oddTextsComeBackUnchanged_data() {
        columns<QString, bool, QString>("name", "utf8", "folder");
        row("comma, quotes, blanks", "  \"Rock\", Pop .alb", false, " C:/\"x\", old / ");
        row("looks like a number", " 12 ", false, "-1 ");
        row("looks like a marker", "Ok.alb", false, "[albom]");
        row("cyrillic", "Ёлки.alb", false, "C:/Музыка/");
        row("japanese folder", "曲.alb", true, "C:/音楽/日本/");
    }
    void oddTextsComeBackUnchanged() {
        QFETCH(QString, name);
        QFETCH(QString, folder);
        setAlbumList({{name, 2}, {"Other.alb", -1}});
        G().NameEndAlbom = name;
        G().strDir = folder;
        const QByteArray bytes = writeSettings();
        QTEST(bytes.startsWith("\xEF\xBB\xBF"), "utf8");
        const auto written = state();
        resetGlobals();
        readSettings(bytes);
        QCOMPARE(state(), written);
        QCOMPARE(writeSettings(), bytes);
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
