#pragma once

#include "platform/MediaBus.h"

#include <QList>
#include <QPair>

namespace tv::test {

// A remote-control bus that records what the program announces on it. With
// `present` false the desktop has no bus and nothing is taken.
class FakeBus : public MediaBus {
public:
    bool publish(MediaRemote *r) override {
        remote = present ? r : nullptr;
        return present;
    }
    void withdraw() override { remote = nullptr; }
    void propertiesChanged(MediaRemote::Interface which, const QVariantMap &changed) override {
        changes.append({which, changed});
    }
    void seeked(qint64 position) override { seeks << position; }

    bool present = true;
    MediaRemote *remote = nullptr;
    QList<QPair<MediaRemote::Interface, QVariantMap>> changes;
    QList<qint64> seeks;
};

} // namespace tv::test
