#pragma once

#include <QHash>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>

namespace tv::test {

// A web server on 127.0.0.1: answers each path from a table
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
        // The request stays in the socket until its head is whole.
        if (!socket->peek(socket->bytesAvailable()).contains("\r\n\r\n"))
            return;
        const QByteArray got = socket->readAll();
        const QString path = QString::fromLatin1(got.split(' ').value(1));
        requests << path;
        if (got.toLower().contains("cache-control: no-cache"))
            noCache << path;
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
};

} // namespace tv::test
