// The entry point of the web module (see LazyWebFetcher.h).
#include "platform/qt/network/NetworkFetcher.h"

extern "C" Q_DECL_EXPORT tv::WebFetcher *tonvela_web_fetcher() {
    return new tv::NetworkFetcher;
}
