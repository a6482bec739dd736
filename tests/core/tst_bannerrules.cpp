#include "LogicTest.h"

#include "core/Globals.h"
#include "core/usrReklamaX.h"

#include <QRegularExpression>
#include <QSet>

using namespace tv;
using namespace tv::test;

class TestBannerRules : public LogicTest {
    Q_OBJECT
    void setUp() override { makeLanguageFolder(); }

    QString opened() const {
        return env->shell.calls.isEmpty() ? QString()
                                          : QString::fromLatin1(env->drives.get(
                                                env->shell.calls.last().section('|', 0, 0)));
    }

private slots:

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
        row("an address", QStringList{"http://a.example/1"}, QString("http://a.example/1"));
        row("secure", QStringList{"https://a.example/"}, QString("https://a.example/"));
        row("an empty text keeps it", QStringList{"http://a.example/1", ""},
            QString("http://a.example/1"));
        row("a page's message keeps it", QStringList{"http://a.example/1", "Done"},
            QString("http://a.example/1"));
        row("capitals are not an address", QStringList{"http://a.example/1", "HTTP://B/"},
            QString("http://a.example/1"));
        row("the later address wins", QStringList{"http://a.example/1", "http://a.example/2"},
            QString("http://a.example/2"));
        row("mail is not taken", QStringList{"mailto:x@a.example"}, QString());
    }
    void statusTexts() {
        QFETCH(QStringList, texts);
        usrReklamaX banner;
        for (const QString &text : texts)
            banner.StatusTextChange(text);
        QTEST(banner.LastURL, "last");
    }

    // The banner loads its own pages while nothing was pointed at; after
    // that every navigation is the pointed-at address, opened outside.
    void navigation() {
        usrReklamaX banner;
        QVERIFY(!banner.BeforeNavigate2());
        QCOMPARE(env->shell.calls, QStringList());
        banner.StatusTextChange("http://a.example/buy");
        QVERIFY(banner.BeforeNavigate2());
        QCOMPARE(env->shell.calls.size(), 1);
        QVERIFY(opened().contains("url=http://a.example/buy'"));
    }

    void aNewWindowIsNeverOpenedInside() {
        usrReklamaX banner;
        banner.NewWindow2();
        QCOMPARE(env->shell.calls, QStringList());
        banner.StatusTextChange("https://a.example/new");
        banner.NewWindow2();
        QCOMPARE(env->shell.calls.size(), 1);
        QVERIFY(opened().contains("url=https://a.example/new'"));
    }
};

QTEST_GUILESS_MAIN(TestBannerRules)
#include "tst_bannerrules.moc"
