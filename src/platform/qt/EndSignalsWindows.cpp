#include "platform/qt/EndSignals.h"

namespace tv {

// Windows ends a program through its windows and the session's end, which
// the session manager reports; it sends no such signals.
EndSignals::EndSignals(QObject *parent) : QObject(parent) {}

EndSignals::~EndSignals() = default;

void EndSignals::heard() {
    emit endRequested();
}

} // namespace tv
