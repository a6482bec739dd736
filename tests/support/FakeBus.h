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
    // "cover:<n>" for the n-th picture asked about.
    QString coverAddress(const QByteArray &picture) override {
        covers << picture;
        return QStringLiteral("cover:%1").arg(covers.size());
    }

    bool present = true;
    MediaRemote *remote = nullptr;
    QList<QPair<MediaRemote::Interface, QVariantMap>> changes;
    QList<qint64> seeks;
    QList<QByteArray> covers;
};

} // namespace tv::test
