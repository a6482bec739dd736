#pragma once

#include "platform/WebFetcher.h"

#include <QNetworkAccessManager>

namespace tv {

// The web on Qt Network.
class NetworkFetcher : public WebFetcher {
public:
    NetworkFetcher();
    std::unique_ptr<Fetch> fetch(const QUrl &address, qint64 maxBytes, int timeoutMs,
                                 std::function<void(const WebAnswer &)> done) override;

private:
    QNetworkAccessManager m_network;
};

} // namespace tv
