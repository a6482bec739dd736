#include "Fakes.h"
#include "core/Forma.h"
#include "core/Globals.h"
#include "core/SettingsFile.h"

#include <QTest>

using namespace tv;
using namespace tv::test;

namespace {

void setRegistry(const QList<AlbomInfo> &entries) {
    G().Alboms = QVector<AlbomInfo>(entries.begin(), entries.end());
    G().AlbomUB = int(entries.size()) - 1;
}

// What the reader can set, as key=value texts; the registry as name:song,...
QMap<QString, QString> state() {
    QStringList albums;
    for (const AlbomInfo &a : G().Alboms)
        albums << a.Name + ':' + QString::number(a.NumPesni);
    const auto flag = [](bool b) { return QString::number(int(b)); };
    return {{"language", QString::number(G().Language)},
            {"albums", albums.join(',')},
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

class TestSettings : public QObject {
    Q_OBJECT
private slots:
    void writesTheEighteenLinesOfTwoAlbums() {
        LogicEnv env;
        G().Language = 1;
        setRegistry({{"Rock.alb", 3}, {QString::fromUtf8("Джаз.alb"), -1}});
        // A count the registry does not back would make the next start read
        // the following sections as album names.
        G().AlbomUB = 5;
        G().ShowForm = false;
        frmForma().MusicNonStop.setChecked(true);
        G().NameEndAlbom = QString::fromUtf8("Джаз.alb");
        G().NamePesni = 1;
        G().strDir = QStringLiteral("C:/Music/");
        QCOMPARE(writeSettings(), lines("[language]| 1 |[albom]| 1 |Rock.alb| 3 |") + kJazz1251 +
                                      lines("|-1 |[showform]|False|[musicnonstop]|True|"
                                            "[nameendalbom]|") +
                                      kJazz1251 + lines("|[namepesni]| 1 |[strDir]|C:/Music/|"));
    }

    void writesAnEmptyRegistryAsMinusOne() {
        LogicEnv env;
        frmForma().pMenuNonStop.setChecked(true); // the tick written is the main menu's
        QCOMPARE(writeSettings(),
                 lines("[language]| 0 |[albom]|-1 |[showform]|True|[musicnonstop]|"
                       "False|[nameendalbom]||[namepesni]| 0 |[strDir]|C:/Tonvela/|"));
    }

    void reads_data() {
        QTest::addColumn<QByteArray>("file");
        // key=value;... against the start state: English, registry {old.alb: 5},
        // shown, no tick, "before.alb" to reopen, titles from files, C:/Tonvela/.
        QTest::addColumn<QString>("changed");
        QTest::newRow("nothing") << QByteArray() << "";
        QTest::newRow("every section")
            << lines("[language]| 0 |[albom]| 1 |A.alb| 3 |B.alb|-1 "
                     "|[showform]|False|[musicnonstop]|True|[nameendalbom]|B.alb|[namepesni]| 0 "
                     "|[strDir]|E:/Music/|")
            << "language=0;albums=A.alb:3,B.alb:-1;show=0;nonstop=11;end=B.alb;pesni=0;"
               "dir=E:/Music/";
        QTest::newRow("marker in another case, value taken as a key")
            << lines("[ShowForm]|False|[STRDIR]|[namepesni]| 0 |") << "pesni=0";
        QTest::newRow("language 0") << lines("[language]| 0 |") << "language=0";
        QTest::newRow("language 2 is not English") << lines("[language]| 2 |") << "language=0";
        QTest::newRow("language without blanks") << lines("[language]|0|") << "language=0";
        QTest::newRow("albom -1") << lines("[albom]|-1 |") << "albums=";
        QTest::newRow("albom count below -1") << lines("[albom]|-7 |") << "albums=";
        QTest::newRow("another order")
            << lines("[strDir]|F:/x/|[nameendalbom]|A.alb|[showform]|False|[albom]| 0 |A.alb| 7 "
                     "|[language]| 0 |")
            << "language=0;albums=A.alb:7;show=0;end=A.alb;dir=F:/x/";
        QTest::newRow("a section twice, the later wins")
            << lines("[language]| 1 |[albom]| 0 |A.alb| 1 |[language]| 0 |[albom]| 1 |B.alb| 2 "
                     "|C.alb| 3 |")
            << "language=0;albums=B.alb:2,C.alb:3";
        QTest::newRow("ends inside the registry")
            << lines("[albom]| 2 |A.alb| 4 |B.alb|") << "albums=A.alb:4,B.alb:0";
        QTest::newRow("ends before a value")
            << lines("[showform]|False|[nameendalbom]|") << "show=0";
        QTest::newRow("ends before the count") << lines("[albom]|") << "";
        QTest::newRow("number lines without a number")
            << lines("[namepesni]|abc|[albom]| 1 |A.alb|x|B.alb| 2 |[language]||[strDir]|E:/m/|")
            << "albums=A.alb:0,B.alb:2;dir=E:/m/";
        QTest::newRow("a count that is no number leaves the registry")
            << lines("[albom]|many|A.alb| 1 |[showform]|False|") << "show=0";
        QTest::newRow("huge count, sections after the entries")
            << lines(
                   "[albom]| 2000000000 |A.alb| 1 |B.alb|-1 |[showform]|False|[musicnonstop]|True|")
            << "albums=A.alb:1,B.alb:-1;show=0;nonstop=11";
        QTest::newRow("showform not exactly True") << lines("[showform]|true|") << "show=0";
        QTest::newRow("empty name to reopen") << lines("[nameendalbom]||") << "end=";
        QTest::newRow("lines ending in LF only")
            << QByteArray("[musicnonstop]\nTrue\n[namepesni]\n 0 \n") << "nonstop=11;pesni=0";
        QTest::newRow("utf-8 behind a byte-order mark")
            << QByteArray("\xEF\xBB\xBF[strDir]\r\nC:/\xE9\x9F\xB3\xE6\xA5\xBD/\r\n")
            << QString::fromUtf8("dir=C:/音楽/");
        QTest::newRow("windows-1251 texts") << lines("[nameendalbom]|") + kJazz1251 + "\r\n"
                                            << QString::fromUtf8("end=Джаз.alb");
    }
    void reads() {
        QFETCH(QByteArray, file);
        QFETCH(QString, changed);
        LogicEnv env;
        G().Language = 1;
        setRegistry({{"old.alb", 5}});
        G().NameEndAlbom = QStringLiteral("before.alb");
        G().NamePesni = 1;
        auto expected = state();
        for (const QString &pair : changed.split(';', Qt::SkipEmptyParts))
            expected[pair.section('=', 0, 0)] = pair.section('=', 1);

        readSettings(file);
        QCOMPARE(state(), expected);
        QCOMPARE(G().AlbomUB, int(G().Alboms.size()) - 1);
    }

    void oddTextsComeBackUnchanged_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("utf8");
        QTest::addColumn<QString>("folder");
        QTest::newRow("comma") << "Rock, Pop.alb" << false << "C:/Music, old/";
        QTest::newRow("leading and trailing blanks") << "  Blues .alb" << false << "C:/ a b /";
        QTest::newRow("double quotes") << "\"Best\".alb" << false << "C:/\"x\"/";
        QTest::newRow("looks like a number") << " 12 " << false << "-1 ";
        QTest::newRow("looks like a marker") << "Ok.alb" << false << "[albom]";
        QTest::newRow("cyrillic") << QString::fromUtf8("Ёлки.alb") << false
                                  << QString::fromUtf8("C:/Музыка/");
        QTest::newRow("japanese folder")
            << QString::fromUtf8("曲.alb") << true << QString::fromUtf8("C:/音楽/日本/");
    }
    void oddTextsComeBackUnchanged() {
        QFETCH(QString, name);
        QFETCH(QString, folder);
        LogicEnv env;
        setRegistry({{name, 2}, {"Other.alb", -1}});
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
