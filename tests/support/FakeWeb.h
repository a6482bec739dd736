#pragma once

#include "platform/WebFetcher.h"

#include <QList>
#include <QUrl>

namespace tv::test {

// A web that records the addresses asked for and answers when the test says:
// answer() hands the oldest open fetch its answer.
class FakeWeb : public WebFetcher {
public:
    std::unique_ptr<Fetch> fetch(const QUrl &address, qint64, int,
                                 std::function<void(const WebAnswer &)> done) override {
        requests << address;
        auto fetch = std::make_unique<Open>(this);
        m_open << Pending{fetch.get(), address, std::move(done)};
        return fetch;
    }
    // Whether there was an open fetch to answer.
    bool answer(WebAnswer answer) {
        if (m_open.isEmpty())
            return false;
        const Pending next = m_open.takeFirst();
        if (answer.url.isEmpty())
            answer.url = next.address;
        next.done(answer);
        return true;
    }
    int open() const { return int(m_open.size()); }

    QList<QUrl> requests;

private:
    struct Open : Fetch {
        explicit Open(FakeWeb *web) : web(web) {}
        ~Open() override {
            web->m_open.removeIf([this](const Pending &p) { return p.fetch == this; });
        }
        FakeWeb *web;
    };
    struct Pending {
        Open *fetch;
        QUrl address;
        std::function<void(const WebAnswer &)> done;
    };
    QList<Pending> m_open;
};

} // namespace tv::test
