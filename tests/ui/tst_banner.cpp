#include "Fakes.h"

#include "core/Cp1251.h"
#include "core/Globals.h"
#include "ui/UsrReklamaX.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QMouseEvent>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTextBlock>

using namespace tv;
using namespace tv::test;
using ui::UsrReklamaX;

namespace {

// A web server on 127.0.0.1 for the banner: answers each path from a table
// (404 for the others), or, when silent, takes connections and never answers.
class LocalServer : public QObject {
public:
    LocalServer() {
        server.listen(QHostAddress::LocalHost);
        connect(&server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = server.nextPendingConnection())
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
        });
    }
    QString host() const { return QStringLiteral("127.0.0.1:%1").arg(server.serverPort()); }
    QString url(const QString &path) const { return "http://" + host() + path; }

    struct Page {
        QByteArray type;
        QByteArray body;
    };
    QHash<QString, Page> pages;
    QStringList requests; // the paths asked for, in order
    QStringList noCache;  // the paths asked for with "Cache-Control: no-cache"
    bool silent = false;

private:
    void serve(QTcpSocket *socket) {
        QByteArray &got = m_partial[socket];
        got += socket->readAll();
        if (!got.contains("\r\n\r\n"))
            return;
        const QString path = QString::fromLatin1(got.split(' ').value(1));
        requests << path;
        if (got.toLower().contains("cache-control: no-cache"))
            noCache << path;
        m_partial.remove(socket);
        if (silent)
            return;
        const bool found = pages.contains(path);
        const Page page = pages.value(path, {"text/html", "<html>no such page</html>"});
        socket->write(QByteArray(found ? "HTTP/1.1 200 OK\r\n" : "HTTP/1.1 404 Not Found\r\n") +
                      "Content-Type: " + page.type +
                      "\r\nContent-Length: " + QByteArray::number(page.body.size()) +
                      "\r\nConnection: close\r\n\r\n" + page.body);
        socket->disconnectFromHost();
    }

    QTcpServer server;
    QHash<QTcpSocket *, QByteArray> m_partial;
};

QString shots() {
    const QString dir = QStringLiteral(TV_TEST_BUILD "/../screenshots");
    QDir().mkpath(dir);
    return dir + QLatin1Char('/');
}

// The middle of the first letter of a text shown in the browser.
QPoint pointAt(QTextBrowser *browser, const QString &text) {
    const QTextCursor found = browser->document()->find(text);
    QTextCursor inside(browser->document());
    inside.setPosition(found.selectionStart() + 1);
    return browser->cursorRect(inside).center();
}

void hover(QTextBrowser *browser, QPoint at) {
    QMouseEvent move(QEvent::MouseMove, at, browser->viewport()->mapToGlobal(at), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(browser->viewport(), &move);
}

void hover(QTextBrowser *browser, const QString &text) {
    hover(browser, pointAt(browser, text));
}

void click(QTextBrowser *browser, const QString &text) {
    const QPoint at = pointAt(browser, text);
    hover(browser, at);
    QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, at);
}

// The link address as the browser holds it, found by the link's text.
QString hrefOf(QTextBrowser *browser, const QString &text) {
    for (QTextBlock b = browser->document()->begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().text().contains(text))
                return it.fragment().charFormat().anchorHref();
    return {};
}

const QByteArray kAd = "<html><body><p>Tonvela sale: <a href='http://shop.example/buy'>Buy</a> "
                       "<a href='/more.html'>More</a> <a href='mailto:x@shop.example'>Mail</a> "
                       "<a href='http://shop.example/new' target='_blank'>Window</a> "
                       "<a href='http://shop.example/self' target='_self'>Same</a> "
                       "plain text</p><script>document.write('scripted')</script></body></html>";

} // namespace

class TestBanner : public QObject {
    Q_OBJECT
    std::unique_ptr<LogicEnv> env;
    std::unique_ptr<LocalServer> server;
    std::unique_ptr<UsrReklamaX> banner;

    QTextBrowser *browser() const { return banner->WebBrowser1(); }
    QString adPath() const { return "/reklama/" + banner->rules().AdNum + ".html"; }

    void showAd(const QByteArray &body = kAd, const QByteArray &type = "text/html") {
        server->pages.insert(adPath(), {type, body});
        banner->Start();
        QTRY_VERIFY(banner->page().isValid());
    }
    // The address a redirect page was written for, as the shell opened it.
    QStringList openedOutside() const {
        QStringList addresses;
        for (const QString &call : env->shell.calls) {
            const QString page = QString::fromLatin1(env->drives.get(call.section('|', 0, 0)));
            addresses << page.section("url=", 1).section('\'', 0, 0);
        }
        return addresses;
    }

private slots:
    void init() {
        env = std::make_unique<LogicEnv>();
        env->drives.put(G().AppDir + "Language/.keep", "");
        server = std::make_unique<LocalServer>();
        banner = std::make_unique<UsrReklamaX>(nullptr, server->host());
        banner->show();
        QVERIFY(QTest::qWaitForWindowExposed(banner.get()));
    }
    void cleanup() {
        banner.reset();
        server.reset();
        env.reset();
    }

    void theTitlePageShowsAtCreation() {
        QVERIFY(!banner->page().isValid());
        QCOMPARE(browser()->toPlainText().trimmed(), QString("Тонвела для MP3"));
        QVERIFY(banner->Picture1()->isHidden());
        banner->grab().save(shots() + "banner-title-page.png");
    }

    // Start returns before the server has even been asked, and every call
    // fetches the page anew.
    void startFetchesTheAdvertisingPageOncePerCall() {
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

    void pagesInTheirOwnCharacterSet_data() {
        columns<QByteArray, QByteArray>("type", "body");
        row("1251 by header", QByteArray("text/html; charset=windows-1251"),
            Cp1251::encode("<p>Реклама</p>"));
        row("1251 by markup", QByteArray("text/html"),
            "<meta http-equiv='Content-Type' content='text/html; charset=windows-1251'>" +
                Cp1251::encode("<p>Реклама</p>"));
        row("UTF-8", QByteArray("text/html; charset=utf-8"), QString("<p>Реклама</p>").toUtf8());
        row("none named", QByteArray("text/html"), QString("<p>Реклама</p>").toUtf8());
    }
    void pagesInTheirOwnCharacterSet() {
        QFETCH(QByteArray, type);
        QFETCH(QByteArray, body);
        showAd(body, type);
        QCOMPARE(browser()->toPlainText().trimmed(), QString("Реклама"));
    }

    // Hovered links one after another: LastURL after each.
    void pointingAtLinks() {
        showAd();
        hover(browser(), "Buy");
        QCOMPARE(banner->rules().LastURL, QString("http://shop.example/buy"));
        hover(browser(), "plain text");
        QCOMPARE(banner->rules().LastURL, QString("http://shop.example/buy"));
        hover(browser(), "Mail");
        QCOMPARE(banner->rules().LastURL, QString("http://shop.example/buy"));
        hover(browser(), "More");
        QCOMPARE(banner->rules().LastURL, server->url("/more.html"));
    }

    // The click opens the pointed-at address outside; the banner stays.
    void aClickOpensOutsideAndNotInside_data() {
        columns<QString, QString>("link", "address");
        row("plain", QString("Buy"), QString("http://shop.example/buy"));
        row("own window", QString("Window"), QString("http://shop.example/new"));
        row("own frame", QString("Same"), QString("http://shop.example/self"));
    }
    void aClickOpensOutsideAndNotInside() {
        QFETCH(QString, link);
        showAd();
        click(browser(), link);
        QTEST(openedOutside().join(','), "address");
        QTest::qWait(200);
        QCOMPARE(server->requests, QStringList{adPath()});
        QCOMPARE(banner->page().toString(), server->url(adPath()));
    }

    // A window the page asks for before anything was pointed at: nothing opens.
    void aNewWindowWithoutAPointedAtAddress() {
        showAd();
        const QString href = hrefOf(browser(), "Window");
        QVERIFY(href.endsWith("http://shop.example/new"));
        emit browser()->anchorClicked(QUrl(href));
        QTest::qWait(200);
        QCOMPARE(env->shell.calls, QStringList());
        QCOMPARE(server->requests, QStringList{adPath()});
    }

    // With nothing pointed at, a link is followed inside the banner.
    void aLinkWithoutAPointedAtAddressLoadsInside() {
        showAd();
        server->pages.insert("/more.html", {"text/html", "<p>More offers</p>"});
        emit browser()->anchorClicked(QUrl("/more.html"));
        QTRY_VERIFY(browser()->toPlainText().contains("More offers"));
        QCOMPARE(env->shell.calls, QStringList());
    }

    // No answer, an error or no network: the title page stays, and nothing
    // is said.
    void aFailedPageLeavesTheTitlePage_data() {
        columns<bool, bool>("silent", "missing");
        row("the server does not answer", true, false);
        row("no such page", false, true);
    }
    void aFailedPageLeavesTheTitlePage() {
        QFETCH(bool, silent);
        QFETCH(bool, missing);
        server->silent = silent;
        if (!missing)
            server->pages.insert(adPath(), {"text/html", kAd});
        banner->setTimeout(300);
        banner->Start();
        QTRY_COMPARE(server->requests.size(), 1);
        QTest::qWait(800);
        QCOMPARE(browser()->toPlainText().trimmed(), QString("Тонвела для MP3"));
        QVERIFY(!banner->page().isValid());
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        QCOMPARE(QApplication::activePopupWidget(), nullptr);
        QCOMPARE(env->dialogs.msgs.size(), 0);
    }

    void picturesOfThePageAreFetched() {
        QImage red(120, 40, QImage::Format_RGB32);
        red.fill(Qt::red);
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        red.save(&buffer, "PNG");
        server->pages.insert("/pic.png", {"image/png", png});
        showAd("<html><body><img src='/pic.png'> <b>Tonvela</b> sale</body></html>");
        QTRY_VERIFY(server->requests.contains("/pic.png"));
        QTRY_COMPARE(banner->grab().toImage().pixelColor(60, 25), QColor(Qt::red));
        banner->grab().save(shots() + "banner-advertising-page.png");
    }
};

QTEST_MAIN(TestBanner)
#include "tst_banner.moc"
