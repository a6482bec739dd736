#pragma once

#include "platform/WebFetcher.h"

#include <QString>
#include <list>

namespace tv {

// The web from a module of its own (libtonvela_web, in the given folder),
// loaded by start(): the network libraries take longer to load than the
// whole first window takes to show. Fetches asked for before that wait and
// go out then. Without the module every fetch fails, and the reason goes to
// the error output.
class LazyWebFetcher : public WebFetcher {
public:
    explicit LazyWebFetcher(QString folder);
    ~LazyWebFetcher() override;

    void start();

    std::unique_ptr<Fetch> fetch(const QUrl &address, qint64 maxBytes, int timeoutMs,
                                 std::function<void(const WebAnswer &)> done) override;

private:
    class Waiting;
    void load();

    QString m_folder;
    bool m_started = false;
    std::unique_ptr<WebFetcher> m_web;
    std::list<Waiting *> m_waiting;
};

} // namespace tv
