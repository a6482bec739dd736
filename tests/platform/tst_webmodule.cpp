// The web loaded from its module, as the program loads it once its window is
// up: fetches asked for before wait and go out then, in order; a fetch
// dropped while it waits never goes out; without the module every fetch
// fails, later, never inside the call.
#include "Fakes.h"
#include "LocalServer.h"

#include "platform/qt/LazyWebFetcher.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace tv;
using namespace tv::test;

class TestWebModule : public QObject {
    Q_OBJECT

    static std::function<void(const WebAnswer &)> into(QList<WebAnswer> *answers) {
        return [answers](const WebAnswer &answer) { answers->append(answer); };
    }

private slots:
    void fetchesWaitForTheStart() {
        LocalServer server;
        server.pages.insert("/a.html", {"text/html", "<p>A</p>"});
        server.pages.insert("/b.png", {"image/png", "PNG"});
        LazyWebFetcher web(QStringLiteral(TV_TEST_BUILD "/.."));
        QList<WebAnswer> answers;
        auto a = web.fetch(QUrl(server.url("/a.html")), 1000, 5000, into(&answers));
        auto dropped = web.fetch(QUrl(server.url("/dropped")), 1000, 5000, into(&answers));
        auto b = web.fetch(QUrl(server.url("/b.png")), 1000, 5000, into(&answers));
        dropped.reset();
        QTest::qWait(100);
        QCOMPARE(server.requests, QStringList());
        web.start();
        QTRY_COMPARE(answers.size(), 2);
        QCOMPARE(server.requests, QStringList({"/a.html", "/b.png"}));
        QVERIFY(answers[0].ok && answers[1].ok);
        QCOMPARE(answers[0].body, QByteArray("<p>A</p>"));
        QCOMPARE(answers[1].contentType, QByteArray("image/png"));
        // Once started, a fetch goes out at once; one over its bound fails.
        auto big = web.fetch(QUrl(server.url("/a.html")), 4, 5000, into(&answers));
        QTRY_COMPARE(answers.size(), 3);
        QVERIFY(!answers[2].ok);
    }

    void noModuleFailsEveryFetchLater() {
        QTemporaryDir empty;
        LazyWebFetcher web(empty.path());
        QList<WebAnswer> answers;
        auto before = web.fetch(QUrl("http://127.0.0.1:1/a"), 1000, 5000, into(&answers));
        web.start();
        auto after = web.fetch(QUrl("http://127.0.0.1:1/b"), 1000, 5000, into(&answers));
        QVERIFY(answers.isEmpty());
        QTRY_COMPARE(answers.size(), 2);
        QVERIFY(!answers[0].ok && !answers[1].ok);
        QCOMPARE(answers[1].url, QUrl("http://127.0.0.1:1/b"));
    }
};

QTEST_GUILESS_MAIN(TestWebModule)
#include "tst_webmodule.moc"
