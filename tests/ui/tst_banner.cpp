#include "LocalServer.h"
#include "LogicTest.h"

#include "core/Globals.h"
#include "core/TextLines.h"
#include "platform/qt/network/NetworkFetcher.h"
#include "ui/BannerView.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBlock>

using namespace tv;
using namespace tv::test;
using ui::BannerView;

namespace {

QString shots() {
    const QString dir = QStringLiteral(TV_TEST_BUILD "/../screenshots");
    QDir().mkpath(dir);
    return dir + QLatin1Char('/');
}

// The link address as the browser holds it, found by the link's text.
QString hrefOf(QTextBrowser *browser, const QString &text) {
    for (QTextBlock b = browser->document()->begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().text().contains(text))
                return it.fragment().charFormat().anchorHref();
    return {};
}

QByteArray redPng(QSize size) {
    QImage red(size, QImage::Format_RGB32);
    red.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    red.save(&buffer, "PNG");
    return png;
}

const QString kTitlePage = QStringLiteral("Тонвела для MP3");

const QByteArray kAd = "<html><body><p>Tonvela sale: <a href='http://shop.example/buy'>Buy</a> "
                       "<a href='/more.html'>More</a> "
                       "<a href='http://shop.example/new' target='_blank'>Window</a> "
                       "plain text</p><script>document.write('scripted')</script></body></html>";

} // namespace

class TestBanner : public LogicTest {
    Q_OBJECT
    std::unique_ptr<LocalServer> server;
    std::unique_ptr<NetworkFetcher> web;
    std::unique_ptr<BannerView> banner;

    QTextBrowser *browser() const { return banner->WebBrowser1(); }
    QString adPath() const { return "/reklama/" + banner->rules().AdNum + ".html"; }

    void setUp() override {
        makeLanguageFolder();
        server = std::make_unique<LocalServer>();
        web = std::make_unique<NetworkFetcher>();
        P().web = web.get();
        banner = std::make_unique<BannerView>(nullptr, server->host());
        banner->show();
        QVERIFY(QTest::qWaitForWindowExposed(banner.get()));
    }
    void tearDown() override {
        banner.reset();
        web.reset();
        server.reset();
    }

    void showAd() {
        server->pages.insert(adPath(), {"text/html", kAd});
        banner->Start();
        QTRY_VERIFY(banner->page().isValid());
    }

private slots:
    // The title page shows until Start, which returns before the server has
    // even been asked; every call fetches the page anew.
    void startFetchesTheAdvertisingPageOncePerCall() {
        QCOMPARE(browser()->toPlainText().trimmed(), kTitlePage);
        QVERIFY(banner->Picture1()->isHidden());
        banner->grab().save(shots() + "banner-title-page.png");
        server->pages.insert(adPath(), {"text/html", kAd});
        banner->Start();
        QCOMPARE(server->requests, QStringList());
        QTRY_COMPARE(server->requests, QStringList{adPath()});
        QTRY_VERIFY(browser()->toPlainText().contains("Tonvela sale"));
        QCOMPARE(banner->page().toString(), server->url(adPath()));
        QVERIFY(!browser()->toPlainText().contains("scripted"));
        banner->Start();
        QTRY_COMPARE(server->requests, QStringList({adPath(), adPath()}));
        QCOMPARE(server->noCache, server->requests);
        // The hidden panel's button reloads the same way.
        banner->kObnovit()->click();
        QTRY_COMPARE(server->requests.size(), 3);
    }

    // A click opens the pointed-at address outside and the banner stays; with
    // nothing pointed at, a link is followed inside the banner and a window
    // the page asks for opens nowhere. (The rules are tst_weblinks'; here,
    // one click down each way the banner takes it.)
    void aClick_data() {
        columns<QString, bool, QString, bool>("link", "pointed", "outside", "inside");
        row("plain", QString("Buy"), true, QString("http://shop.example/buy"), false);
        row("own window", QString("Window"), true, QString("http://shop.example/new"), false);
        row("nothing pointed at", QString("More"), false, QString(), true);
        row("own window, nothing pointed at", QString("Window"), false, QString(), false);
    }
    void aClick() {
        QFETCH(QString, link);
        QFETCH(bool, pointed);
        QFETCH(bool, inside);
        showAd();
        server->pages.insert("/more.html", {"text/html", "<p>More offers</p>"});
        if (pointed) { // the mouse moved onto the link's first letter, then a click
            QTextCursor cursor(browser()->document());
            cursor.setPosition(browser()->document()->find(link).selectionStart() + 1);
            const QPoint at = browser()->cursorRect(cursor).center();
            QMouseEvent move(QEvent::MouseMove, at, browser()->viewport()->mapToGlobal(at),
                             Qt::NoButton, Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(browser()->viewport(), &move);
            QTest::mouseClick(browser()->viewport(), Qt::LeftButton, {}, at);
        } else {
            emit browser()->anchorClicked(QUrl(hrefOf(browser(), link)));
        }
        if (inside)
            QTRY_VERIFY(browser()->toPlainText().contains("More offers"));
        else
            QTest::qWait(200);
        // What each redirect page the shell opened was written for.
        QStringList outside;
        for (const QString &call : env->shell.calls)
            outside << QString::fromLatin1(env->drives.get(call.section('|', 0, 0)))
                           .section("url=", 1)
                           .section('\'', 0, 0);
        QTEST(outside.join(','), "outside");
        QCOMPARE(server->requests.size(), inside ? 2 : 1);
    }

    // A page shows in its own character set. No answer, an error or no
    // network: the title page stays, and nothing is said.
    void whatAPageShows_data() {
        // silent: the server does not answer; no body: no such page
        columns<QByteArray, QByteArray, bool, QString>("type", "body", "silent", "shown");
        // "Рё" in 1251 reads as UTF-8 too: only the character set named tells.
        const QByteArray html("text/html"), ryo = Cp1251::encode("<p>Рё</p>");
        row("1251 by header", QByteArray("text/html; charset=windows-1251"), ryo, false,
            QString("Рё"));
        row("1251 by markup", html,
            "<meta http-equiv='Content-Type' content='text/html; charset=windows-1251'>" + ryo,
            false, QString("Рё"));
        row("none named", html, QString("<p>Реклама</p>").toUtf8(), false, QString("Реклама"));
        row("the server does not answer", html, kAd, true, kTitlePage);
        row("no such page", html, QByteArray(), false, kTitlePage);
        row("a page over a megabyte", html, kAd + QByteArray(1 << 20, ' '), false, kTitlePage);
    }
    void whatAPageShows() {
        QFETCH(QByteArray, type);
        QFETCH(QByteArray, body);
        QFETCH(QString, shown);
        QFETCH(bool, silent);
        server->silent = silent;
        if (!body.isNull())
            server->pages.insert(adPath(), {type, body});
        if (silent)
            banner->setTimeout(300);
        banner->Start();
        QTRY_COMPARE(server->requests.size(), 1);
        QTest::qWait(800);
        QTRY_COMPARE(browser()->toPlainText().trimmed(), shown);
        QCOMPARE(banner->page().isValid(), shown != kTitlePage);
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        QCOMPARE(QApplication::activePopupWidget(), nullptr);
        QCOMPARE(env->dialogs.msgs.size(), 0);
    }

    // A newer page cancels the one still on its way: only its answer shows.
    void aNewerPageReplacesTheOneOnItsWay() {
        P().web = &env->web;
        banner->Start();
        banner->Start();
        QCOMPARE(env->web.requests.size(), 2);
        QCOMPARE(env->web.open(), 1);
        QVERIFY(env->web.answer({true, "<p>The newer page</p>", {}, {}}));
        QCOMPARE(browser()->toPlainText().trimmed(), QString("The newer page"));
        QCOMPARE(banner->page(), env->web.requests.last());
        // The banner goes with its fetches: none is left to answer.
        banner->Start();
        banner.reset();
        QCOMPARE(env->web.open(), 0);
    }

    // Pictures come over the web alone, never from the disk or the page
    // itself, and are decoded only when the banner can hold them: each one
    // and all of them together a few times the banner's own size. Each
    // picture shows in 10 x 10 pixels; the web answers with red ones.
    void picturesThatAreRefused_data() {
        columns<QString, int, QSize, QString>("src", "count", "size", "shown");
        row("from the web", QString("/pic%1.png"), 1, QSize(120, 40), QString("all"));
        row("many times the banner's size", QString("/pic%1.png"), 1, QSize(2000, 2000),
            QString("none"));
        row("too many together", QString("/pic%1.png"), 24, QSize(400, 400), QString("some"));
        row("a local file", QString("file://{local}"), 1, QSize(120, 40), QString("none"));
        row("a local path the web lacks", QString("{local}"), 1, QSize(), QString("none"));
        row("inside the page", QString("data:image/png;base64,{inline}"), 1, QSize(120, 40),
            QString("none"));
    }
    void picturesThatAreRefused() {
        QFETCH(QString, src);
        QFETCH(int, count);
        QFETCH(QSize, size);
        QTemporaryDir dir;
        const QString local = dir.filePath("red.png");
        QVERIFY(QImage::fromData(redPng({120, 40})).save(local));
        src.replace("{local}", local).replace("{inline}", redPng({120, 40}).toBase64());
        QString page = "<html><body><b>Tonvela</b> sale ";
        for (int i = 0; i < count; ++i)
            page += QString("<img src='%1' width=10 height=10> ").arg(src.arg(i));
        P().web = &env->web;
        banner->Start();
        QVERIFY(env->web.answer({true, page.toUtf8() + "</body></html>", {}, {}}));
        banner->grab(); // lays the page out: its pictures are asked for
        while (env->web.answer(
            {size.isValid(), size.isValid() ? redPng(size) : QByteArray(), {}, {}})) {
        }
        const QImage shot = banner->grab().toImage();
        int red = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                red += shot.pixelColor(x, y) == QColor(Qt::red);
        const int shown = qRound(red / 100.0);
        QTEST(QString(shown == 0 ? "none" : shown == count ? "all" : "some"), "shown");
        if (QTest::currentDataTag() == QByteArray("from the web"))
            shot.save(shots() + "banner-advertising-page.png");
    }
};

QTEST_MAIN(TestBanner)
#include "tst_banner.moc"
