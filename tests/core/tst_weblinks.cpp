#include "AlbumKit.h"
#include "LogicTest.h"

#include "core/WebLinks.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>

using namespace tv;
using namespace tv::test;

namespace {

QByteArray page(const QByteArray &attribute) {
    return "<html><head><meta http-equiv='refresh' content='0; url=" + attribute +
           "'><meta http-equiv='Content-Type' content='text/html; charset=windows-1251'>"
           "<title>WWW</title></head><body></body></html>\r\n";
}

} // namespace

class TestWebLinks : public LogicTest {
    Q_OBJECT
    QString lang(int n) const { return G().AppDir + "Language/" + QString::number(n) + ".html"; }
    void setUp() override { makeLanguageFolder(); }

private slots:

    void thePageTakesTheAddressEscaped_data() {
        columns<QString, QByteArray>("address", "attribute");
        row("https, query", QString("https://a.example/x?b=1&c=2"),
            QByteArray("https://a.example/x?b=1&amp;c=2"));
        row("a quote ends no attribute", QString("http://a.example/'><script>alert(1)</script>"),
            QByteArray("http://a.example/&#39;&gt;&lt;script&gt;alert(1)&lt;/script&gt;"));
        row("double quote", QString("http://a.example/\"x\""),
            QByteArray("http://a.example/&quot;x&quot;"));
        row("Cyrillic in Windows-1251", QString("http://a.example/музыка"),
            QByteArray("http://a.example/\xEC\xF3\xE7\xFB\xEA\xE0"));
        row("beyond Windows-1251", QString("http://a.example/日本"),
            QByteArray("http://a.example/&#26085;&#26412;"));
        // Only web addresses are written.
        for (const char *address : {"", "file:///etc/passwd", "javascript:alert(1)", "http:///x",
                                    "http:a.example", "http://a.example/\r\n<b>"})
            row(*address ? address : "empty", QString(address), QByteArray());
    }
    void thePageTakesTheAddressEscaped() {
        QFETCH(QString, address);
        QFETCH(QByteArray, attribute);
        SaveFileUrlm(address);
        const bool written = !attribute.isNull();
        QCOMPARE(env->drives.get(lang(0)), written ? page(attribute) : QByteArray());
        QCOMPARE(env->shell.calls, written ? QStringList{lang(0) + "|C:/Tonvela"} : QStringList());
        if (written)
            QCOMPARE(env->events.doEvents, 1);
    }

    // A page the browser still holds, or one made read-only, is passed over.
    void aFileThatCannotBeWrittenIsSkipped() {
        WatchedFs fs(*env);
        fs.locked << lang(1);
        env->drives.put(lang(0), "old");
        QFile::setPermissions(env->drives.native(lang(0)), QFile::ReadOwner);
        SaveFileUrlm("http://a.example/");
        QCOMPARE(env->drives.get(lang(2)), page("http://a.example/"));
        QCOMPARE(env->shell.calls, QStringList{lang(2) + "|C:/Tonvela"});
        QCOMPARE(env->drives.get(lang(0)), QByteArray("old"));
    }

    // Without the folder nothing can be written: the numbers end, nothing opens.
    void noWritableFileEndsTheSearch() {
        QDir(env->drives.native(G().AppDir + "Language")).removeRecursively();
        WatchedFs fs(*env);
        SaveFileUrlm("http://a.example/");
        QCOMPARE(fs.writes.size(), kRedirectFiles);
        QCOMPARE(env->shell.calls, QStringList());
        QCOMPARE(env->events.doEvents, 0);
    }

    // The folder handed to the shell has no separator at its end, but a
    // drive's root keeps its own. The user's folder is not the program's.
    void openWorksInTheProgramsFolder_data() {
        columns<QString, QString, QString>("programDir", "sep", "folder");
        row("backslash", QString("C:\\Tonvela\\"), QString("\\"), QString("C:\\Tonvela"));
        row("drive root", QString("Z:/"), QString("/"), QString("Z:/"));
    }
    void openWorksInTheProgramsFolder() {
        QFETCH(QString, programDir);
        QFETCH(QString, sep);
        G().ProgramDir = programDir;
        G().AppDir = QStringLiteral("E:/data/");
        G().PathSep = sep;
        OpURL("sndvol32.exe");
        QTEST(env->shell.calls.value(0).section('|', 1), "folder");
    }

    // One page of ten, picked by the clock: not the same one every run.
    void theAdvertisingPageComesFromTheClock() {
        QSet<QString> seen;
        const qint64 start = QDateTime::currentMSecsSinceEpoch();
        for (qint64 ms = 0; ms < 200; ++ms) {
            usrReklamaX banner(start + ms * 997, "ads.example");
            QVERIFY(QRegularExpression("^[0-9]$").match(banner.AdNum).hasMatch());
            QCOMPARE(banner.advertisingPage(),
                     "http://ads.example/reklama/" + banner.AdNum + ".html");
            seen << banner.AdNum;
        }
        QCOMPARE(seen.size(), 10);
        QCOMPARE(usrReklamaX(start, "x").AdNum, usrReklamaX(start, "x").AdNum);
        QVERIFY(usrReklamaX().advertisingPage().startsWith(QString("http://") + kMakerHost));
    }

    // Status texts one after another; LastURL after the last.
    void statusTexts_data() {
        columns<QStringList, QString>("texts", "last");
        row("secure", QStringList{"https://a.example/"}, QString("https://a.example/"));
        row("a page's message keeps it", QStringList{"http://a.example/1", "Done"},
            QString("http://a.example/1"));
        row("capitals are not an address", QStringList{"http://a.example/1", "HTTP://B/"},
            QString("http://a.example/1"));
        row("the later address wins", QStringList{"http://a.example/1", "http://a.example/2"},
            QString("http://a.example/2"));
    }
    void statusTexts() {
        QFETCH(QStringList, texts);
        usrReklamaX banner;
        for (const QString &text : texts)
            banner.StatusTextChange(text);
        QTEST(banner.LastURL, "last");
    }

    // The banner loads its own pages, and opens no window, while nothing was
    // pointed at; after that both open the pointed-at address outside.
    void navigationAndNewWindows() {
        usrReklamaX banner;
        QVERIFY(!banner.BeforeNavigate2());
        banner.NewWindow2();
        QCOMPARE(env->shell.calls, QStringList());
        banner.StatusTextChange("http://a.example/buy");
        QVERIFY(banner.BeforeNavigate2());
        QCOMPARE(env->drives.get(lang(0)), page("http://a.example/buy"));
        banner.StatusTextChange("https://a.example/new");
        banner.NewWindow2();
        QCOMPARE(env->drives.get(lang(0)), page("https://a.example/new"));
        QCOMPARE(env->shell.calls, QStringList(2, lang(0) + "|C:/Tonvela"));
    }
};

QTEST_GUILESS_MAIN(TestWebLinks)
#include "tst_weblinks.moc"
