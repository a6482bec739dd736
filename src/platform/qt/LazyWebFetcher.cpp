#include "platform/qt/LazyWebFetcher.h"

#include "platform/qt/ModuleLoader.h"

#include <QTimer>

namespace tv {

// A fetch asked for before the start: its request until then, the real
// fetch after.
class LazyWebFetcher::Waiting : public Fetch {
public:
    Waiting(LazyWebFetcher *owner, QUrl address, qint64 maxBytes, int timeoutMs,
            std::function<void(const WebAnswer &)> done)
        : m_owner(owner), m_address(std::move(address)), m_maxBytes(maxBytes),
          m_timeoutMs(timeoutMs), m_done(std::move(done)) {}
    ~Waiting() override {
        if (m_owner)
            m_owner->m_waiting.remove(this);
    }

    void goOut(WebFetcher &web) {
        m_owner = nullptr;
        m_fetch = web.fetch(m_address, m_maxBytes, m_timeoutMs, std::move(m_done));
    }
    void forget() { m_owner = nullptr; }

private:
    LazyWebFetcher *m_owner;
    QUrl m_address;
    qint64 m_maxBytes;
    int m_timeoutMs;
    std::function<void(const WebAnswer &)> m_done;
    std::unique_ptr<Fetch> m_fetch;
};

namespace {

// Stands in for a module that did not load: every answer fails.
class NoWeb : public WebFetcher {
public:
    std::unique_ptr<Fetch> fetch(const QUrl &address, qint64, int,
                                 std::function<void(const WebAnswer &)> done) override {
        auto fetch = std::make_unique<Failing>();
        QTimer::singleShot(0, fetch->context.get(), [address, done = std::move(done)] {
            WebAnswer answer;
            answer.url = address;
            done(answer);
        });
        return fetch;
    }

private:
    struct Failing : Fetch {
        std::unique_ptr<QObject> context = std::make_unique<QObject>();
    };
};

using Entry = WebFetcher *(*)();

} // namespace

LazyWebFetcher::LazyWebFetcher(QString folder) : m_folder(std::move(folder)) {}

LazyWebFetcher::~LazyWebFetcher() {
    for (Waiting *waiting : m_waiting)
        waiting->forget();
}

void LazyWebFetcher::start() {
    if (m_started)
        return;
    m_started = true;
    load();
    // Each goes out in the order asked for, and leaves the list as it does.
    while (!m_waiting.empty()) {
        Waiting *next = m_waiting.front();
        m_waiting.pop_front();
        next->goOut(*m_web);
    }
}

void LazyWebFetcher::load() {
    const auto entry =
        moduleEntry<Entry>(m_folder, "tonvela_web", "tonvela_web_fetcher", "no web pages");
    if (entry)
        m_web.reset(entry());
    else
        m_web = std::make_unique<NoWeb>();
}

std::unique_ptr<WebFetcher::Fetch>
LazyWebFetcher::fetch(const QUrl &address, qint64 maxBytes, int timeoutMs,
                      std::function<void(const WebAnswer &)> done) {
    if (m_started)
        return m_web->fetch(address, maxBytes, timeoutMs, std::move(done));
    auto waiting = std::make_unique<Waiting>(this, address, maxBytes, timeoutMs, std::move(done));
    m_waiting.push_back(waiting.get());
    return waiting;
}

} // namespace tv
