#include "platform/qt/network/NetworkFetcher.h"

#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>

namespace tv {

namespace {

// Owns the reply's connections: once it is gone, the answer never comes.
class NetworkFetch : public WebFetcher::Fetch {
public:
    explicit NetworkFetch(QNetworkReply *reply) : m_reply(reply) {}
    ~NetworkFetch() override {
        m_listener.reset();
        if (m_reply)
            m_reply->abort();
    }
    QObject *listener() const { return m_listener.get(); }

private:
    QPointer<QNetworkReply> m_reply;
    std::unique_ptr<QObject> m_listener = std::make_unique<QObject>();
};

// An answer that came whole before its size was seen is measured here.
WebAnswer answerOf(QNetworkReply *reply, qint64 maxBytes) {
    WebAnswer answer;
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    answer.ok = reply->error() == QNetworkReply::NoError && status >= 200 && status < 300 &&
                reply->bytesAvailable() <= maxBytes;
    if (answer.ok) {
        answer.body = reply->readAll();
        answer.contentType = reply->header(QNetworkRequest::ContentTypeHeader).toByteArray();
    }
    answer.url = reply->url();
    return answer;
}

} // namespace

// The answers that no one waits for any more are dropped.
NetworkFetcher::NetworkFetcher() {
    m_network.setAutoDeleteReplies(true);
}

std::unique_ptr<WebFetcher::Fetch>
NetworkFetcher::fetch(const QUrl &address, qint64 maxBytes, int timeoutMs,
                      std::function<void(const WebAnswer &)> done) {
    QNetworkRequest request(address);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setRawHeader("Cache-Control", "no-cache");
    request.setRawHeader("Pragma", "no-cache");
    request.setTransferTimeout(timeoutMs);
    QNetworkReply *reply = m_network.get(request);
    auto fetch = std::make_unique<NetworkFetch>(reply);
    // An answer that grows past its bound is dropped before it is all read.
    QObject::connect(reply, &QNetworkReply::downloadProgress, fetch->listener(),
                     [reply, maxBytes](qint64 got) {
                         if (got > maxBytes)
                             reply->abort();
                     });
    QObject::connect(
        reply, &QNetworkReply::finished, fetch->listener(),
        [reply, maxBytes, done = std::move(done)] { done(answerOf(reply, maxBytes)); });
    return fetch;
}

} // namespace tv
