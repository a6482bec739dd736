#pragma once

#include <QByteArray>
#include <QUrl>
#include <functional>
#include <memory>

namespace tv {

// What a fetch brought: the body of an answer of the 2xx kind, or nothing.
struct WebAnswer {
    bool ok = false;
    QByteArray body;
    QByteArray contentType;
    // Where the answer came from.
    QUrl url;
};

// Pages and pictures from the web, for the banner; never from a cache.
class WebFetcher {
public:
    virtual ~WebFetcher() = default;

    // A fetch on its way. Dropping it cancels it: its answer never comes.
    class Fetch {
    public:
        virtual ~Fetch() = default;
    };

    // Asks for the address. done runs once, later, from the event loop: with
    // ok false when the answer is longer than maxBytes, or brings nothing new
    // for timeoutMs, or is no success.
    virtual std::unique_ptr<Fetch> fetch(const QUrl &address, qint64 maxBytes, int timeoutMs,
                                         std::function<void(const WebAnswer &)> done) = 0;
};

} // namespace tv
