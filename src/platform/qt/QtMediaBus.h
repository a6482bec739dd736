#pragma once

#include "platform/MediaBus.h"

#include <QDBusConnection>
#include <QObject>
#include <functional>

namespace tv {

class MprisPlayerAdaptor;

// The remote on the D-Bus session bus as MPRIS 2: the service
// org.mpris.MediaPlayer2.tonvela, object /org/mpris/MediaPlayer2.
class QtMediaBus : public QObject, public MediaBus {
    Q_OBJECT
public:
    // The desktop's session bus, when it has one.
    QtMediaBus();
    explicit QtMediaBus(const QDBusConnection &connection);
    ~QtMediaBus() override;

    bool publish(MediaRemote *remote) override;
    void withdraw() override;
    void propertiesChanged(MediaRemote::Interface which, const QVariantMap &changed) override;
    void seeked(qint64 position) override;
    QString coverAddress(const QByteArray &picture) override;
    // The cover cache stays within these, the covers played longest ago
    // going first.
    static constexpr int kMostCovers = 200;
    static constexpr qint64 kMostCoverBytes = 64 << 20;

    // The name taken on the bus; empty while nothing is published.
    QString serviceName() const { return m_service; }

    // For the adaptors: the properties in their bus types, a command to run
    // once the caller has its answer, and the connection for error replies.
    QVariantMap busProperties(MediaRemote::Interface which) const;
    qint64 position() const;
    void setVolume(double volume);
    bool opens(const QString &uri) const;
    void later(std::function<void(MediaRemote &)> command);
    QDBusConnection connection() const { return m_connection; }

private:
    QDBusConnection m_connection;
    QObject *m_object = nullptr;
    MprisPlayerAdaptor *m_player = nullptr;
    MediaRemote *m_remote = nullptr;
    QString m_service;
};

} // namespace tv
