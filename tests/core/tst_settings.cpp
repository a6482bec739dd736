#include "Fakes.h"
#include "core/Forma.h"
#include "core/Globals.h"
#include "core/SettingsFile.h"

#include <QTest>

using namespace tv;
using namespace tv::test;

namespace {

QStringList names() {
    QStringList out;
    for (const AlbomInfo &a : G().Alboms)
        out << a.Name;
    return out;
}

QList<int> songs() {
    QList<int> out;
    for (const AlbomInfo &a : G().Alboms)
        out << a.NumPesni;
    return out;
}

void setRegistry(const QList<AlbomInfo> &entries) {
    G().Alboms = QVector<AlbomInfo>(entries.begin(), entries.end());
    G().AlbomUB = int(entries.size()) - 1;
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
        G().ShowForm = false;
        frmForma().MusicNonStop.setChecked(true);
        G().NameEndAlbom = QString::fromUtf8("Джаз.alb");
        G().NamePesni = 1;
        G().strDir = QStringLiteral("C:/Music/");

        QCOMPARE(writeSettings(), QByteArray("[language]\r\n 1 \r\n"
                                             "[albom]\r\n 1 \r\n"
                                             "Rock.alb\r\n 3 \r\n") +
                                      kJazz1251 +
                                      QByteArray("\r\n-1 \r\n"
                                                 "[showform]\r\nFalse\r\n"
                                                 "[musicnonstop]\r\nTrue\r\n"
                                                 "[nameendalbom]\r\n") +
                                      kJazz1251 +
                                      QByteArray("\r\n[namepesni]\r\n 1 \r\n"
                                                 "[strDir]\r\nC:/Music/\r\n"));
    }

    void writesAnEmptyRegistryAsMinusOne() {
        LogicEnv env;
        QCOMPARE(writeSettings(), QByteArray("[language]\r\n 0 \r\n"
                                             "[albom]\r\n-1 \r\n"
                                             "[showform]\r\nTrue\r\n"
                                             "[musicnonstop]\r\nFalse\r\n"
                                             "[nameendalbom]\r\n\r\n"
                                             "[namepesni]\r\n 0 \r\n"
                                             "[strDir]\r\nC:/Tonvela/\r\n"));
    }

    void writesTheTickOfTheMusicMenuItem() {
        LogicEnv env;
        frmForma().pMenuNonStop.setChecked(true);
        QVERIFY(writeSettings().contains("[musicnonstop]\r\nFalse\r\n"));
        frmForma().MusicNonStop.setChecked(true);
        QVERIFY(writeSettings().contains("[musicnonstop]\r\nTrue\r\n"));
    }

    // A count that the registry does not back would make the next start read
    // the following sections as album names.
    void neverWritesMoreEntriesThanTheRegistryHolds() {
        LogicEnv env;
        setRegistry({{"A.alb", 2}});
        G().AlbomUB = 5;
        QVERIFY(writeSettings().contains("[albom]\r\n 0 \r\nA.alb\r\n 2 \r\n[showform]"));
    }

    void reads_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("language");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QList<int>>("songs");
        QTest::addColumn<bool>("showForm");
        QTest::addColumn<bool>("nonStop");
        QTest::addColumn<QString>("nameEnd");
        QTest::addColumn<int>("namePesni");
        QTest::addColumn<QString>("strDir");

        // Every case starts from: Russian, registry {old.alb: 5}, shown, no
        // tick, "before.alb" to reopen, titles from files, strDir C:/Tonvela/.
        const QStringList old{"old.alb"};
        const QList<int> oldSongs{5};
        const QString before = "before.alb";
        const QString app = "C:/Tonvela/";

        QTest::newRow("nothing") << QByteArray() << 0 << old << oldSongs << true << false << before
                                 << 1 << app;
        QTest::newRow("every section")
            << QByteArray("[language]\r\n 1 \r\n[albom]\r\n 1 \r\nA.alb\r\n 3 \r\nB.alb\r\n-1 \r\n"
                          "[showform]\r\nFalse\r\n[musicnonstop]\r\nTrue\r\n"
                          "[nameendalbom]\r\nB.alb\r\n[namepesni]\r\n 0 \r\n"
                          "[strDir]\r\nE:/Music/\r\n")
            << 1 << QStringList{"A.alb", "B.alb"} << QList<int>{3, -1} << false << true << "B.alb"
            << 0 << "E:/Music/";
        QTest::newRow("marker in another case, value taken as a key")
            << QByteArray("[ShowForm]\r\nFalse\r\n[STRDIR]\r\n[namepesni]\r\n 0 \r\n") << 0 << old
            << oldSongs << true << false << before << 0 << app;
        QTest::newRow("language 0") << QByteArray("[language]\r\n 0 \r\n") << 0 << old << oldSongs
                                    << true << false << before << 1 << app;
        QTest::newRow("language 2") << QByteArray("[language]\r\n 2 \r\n") << 0 << old << oldSongs
                                    << true << false << before << 1 << app;
        QTest::newRow("language without blanks") << QByteArray("[language]\r\n1\r\n") << 1 << old
                                                 << oldSongs << true << false << before << 1 << app;
        QTest::newRow("albom -1") << QByteArray("[albom]\r\n-1 \r\n") << 0 << QStringList()
                                  << QList<int>() << true << false << before << 1 << app;
        QTest::newRow("albom count below -1")
            << QByteArray("[albom]\r\n-7 \r\n") << 0 << QStringList() << QList<int>() << true
            << false << before << 1 << app;
        QTest::newRow("another order")
            << QByteArray("[strDir]\r\nF:/x/\r\n[nameendalbom]\r\nA.alb\r\n[showform]\r\nFalse\r\n"
                          "[albom]\r\n 0 \r\nA.alb\r\n 7 \r\n[language]\r\n 1 \r\n")
            << 1 << QStringList{"A.alb"} << QList<int>{7} << false << false << "A.alb" << 1
            << "F:/x/";
        QTest::newRow("a section twice, the later wins")
            << QByteArray("[language]\r\n 1 \r\n[albom]\r\n 0 \r\nA.alb\r\n 1 \r\n"
                          "[language]\r\n 0 \r\n[albom]\r\n 1 \r\nB.alb\r\n 2 \r\nC.alb\r\n 3 \r\n")
            << 0 << QStringList{"B.alb", "C.alb"} << QList<int>{2, 3} << true << false << before
            << 1 << app;
        QTest::newRow("ends inside the registry")
            << QByteArray("[albom]\r\n 2 \r\nA.alb\r\n 4 \r\nB.alb\r\n") << 0
            << QStringList{"A.alb", "B.alb"} << QList<int>{4, 0} << true << false << before << 1
            << app;
        QTest::newRow("ends before a value")
            << QByteArray("[showform]\r\nFalse\r\n[nameendalbom]\r\n") << 0 << old << oldSongs
            << false << false << before << 1 << app;
        QTest::newRow("ends before the count") << QByteArray("[albom]\r\n") << 0 << old << oldSongs
                                               << true << false << before << 1 << app;
        QTest::newRow("number lines without a number")
            << QByteArray("[namepesni]\r\nabc\r\n[albom]\r\n 1 \r\nA.alb\r\nx\r\nB.alb\r\n 2 \r\n"
                          "[language]\r\n\r\n[strDir]\r\nE:/m/\r\n")
            << 0 << QStringList{"A.alb", "B.alb"} << QList<int>{0, 2} << true << false << before
            << 1 << "E:/m/";
        QTest::newRow("a count that is no number leaves the registry")
            << QByteArray("[albom]\r\nmany\r\nA.alb\r\n 1 \r\n[showform]\r\nFalse\r\n") << 0 << old
            << oldSongs << false << false << before << 1 << app;
        QTest::newRow("huge count, two entries")
            << QByteArray("[albom]\r\n 2000000000 \r\nA.alb\r\n 1 \r\nB.alb\r\n-1 \r\n") << 0
            << QStringList{"A.alb", "B.alb"} << QList<int>{1, -1} << true << false << before << 1
            << app;
        QTest::newRow("huge count, sections after the entries")
            << QByteArray("[albom]\r\n 2000000000 \r\nA.alb\r\n 1 \r\nB.alb\r\n-1 \r\n"
                          "[showform]\r\nFalse\r\n[musicnonstop]\r\nTrue\r\n")
            << 0 << QStringList{"A.alb", "B.alb"} << QList<int>{1, -1} << false << true << before
            << 1 << app;
        QTest::newRow("only strDir") << QByteArray("[strDir]\r\nE:/Songs/\r\n") << 0 << old
                                     << oldSongs << true << false << before << 1 << "E:/Songs/";
        QTest::newRow("showform not exactly True")
            << QByteArray("[showform]\r\ntrue\r\n") << 0 << old << oldSongs << false << false
            << before << 1 << app;
        QTest::newRow("empty name to reopen") << QByteArray("[nameendalbom]\r\n\r\n") << 0 << old
                                              << oldSongs << true << false << "" << 1 << app;
        QTest::newRow("lines ending in LF only")
            << QByteArray("[musicnonstop]\nTrue\n[namepesni]\n 0 \n") << 0 << old << oldSongs
            << true << true << before << 0 << app;
        QTest::newRow("utf-8 behind a byte-order mark")
            << QByteArray("\xEF\xBB\xBF[strDir]\r\nC:/\xE9\x9F\xB3\xE6\xA5\xBD/\r\n") << 0 << old
            << oldSongs << true << false << before << 1 << QString::fromUtf8("C:/音楽/");
        QTest::newRow("windows-1251 texts")
            << QByteArray("[nameendalbom]\r\n") + kJazz1251 + "\r\n"
            << 0 << old << oldSongs << true << false << QString::fromUtf8("Джаз.alb") << 1 << app;
    }
    void reads() {
        QFETCH(QByteArray, file);
        LogicEnv env;
        setRegistry({{"old.alb", 5}});
        G().NameEndAlbom = QStringLiteral("before.alb");
        G().NamePesni = 1;

        readSettings(file);

        QTEST(G().Language, "language");
        QTEST(names(), "names");
        QTEST(songs(), "songs");
        QCOMPARE(G().AlbomUB, int(G().Alboms.size()) - 1);
        QTEST(G().ShowForm, "showForm");
        QTEST(frmForma().MusicNonStop.Checked(), "nonStop");
        QTEST(frmForma().pMenuNonStop.Checked(), "nonStop");
        QTEST(G().NameEndAlbom, "nameEnd");
        QTEST(G().NamePesni, "namePesni");
        QTEST(G().strDir, "strDir");
    }

    void oddTextsComeBackUnchanged_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("utf8");
        QTest::newRow("comma") << "Rock, Pop.alb"
                               << "C:/Music, old/" << false;
        QTest::newRow("leading and trailing blanks") << "  Blues .alb"
                                                     << "C:/ a b /" << false;
        QTest::newRow("double quotes") << "\"Best\".alb"
                                       << "C:/\"x\"/" << false;
        QTest::newRow("looks like a number") << " 12 "
                                             << "-1 " << false;
        QTest::newRow("looks like a marker, unusable as an album") << "Ok.alb"
                                                                   << "[albom]" << false;
        QTest::newRow("cyrillic") << QString::fromUtf8("Ёлки.alb")
                                  << QString::fromUtf8("C:/Музыка/") << false;
        QTest::newRow("japanese folder")
            << QString::fromUtf8("曲.alb") << QString::fromUtf8("C:/音楽/日本/") << true;
    }
    void oddTextsComeBackUnchanged() {
        QFETCH(QString, name);
        QFETCH(QString, folder);
        QFETCH(bool, utf8);
        LogicEnv env;
        setRegistry({{name, 2}, {"Other.alb", -1}});
        G().NameEndAlbom = name;
        G().strDir = folder;
        const QByteArray bytes = writeSettings();
        QCOMPARE(bytes.startsWith("\xEF\xBB\xBF"), utf8);

        resetGlobals();
        readSettings(bytes);
        QCOMPARE(names(), QStringList({name, "Other.alb"}));
        QCOMPARE(songs(), QList<int>({2, -1}));
        QCOMPARE(G().NameEndAlbom, name);
        QCOMPARE(G().strDir, folder);
        QCOMPARE(writeSettings(), bytes);
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
