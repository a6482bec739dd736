#pragma once

#include "platform/MediaBus.h"

#include <QDBusAbstractAdaptor>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QStringList>
#include <QVariantMap>
#include <utility>

namespace tv {

class QtMediaBus;

// org.mpris.MediaPlayer2: the application.
class MprisRootAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2")
    Q_PROPERTY(bool CanQuit READ canQuit)
    Q_PROPERTY(bool CanRaise READ canRaise)
    Q_PROPERTY(bool HasTrackList READ hasTrackList)
    Q_PROPERTY(QString Identity READ identity)
    Q_PROPERTY(QString DesktopEntry READ desktopEntry)
    Q_PROPERTY(QStringList SupportedUriSchemes READ supportedUriSchemes)
    Q_PROPERTY(QStringList SupportedMimeTypes READ supportedMimeTypes)
public:
    MprisRootAdaptor(QObject *object, QtMediaBus &bus);

    bool canQuit() const { return get("CanQuit").toBool(); }
    bool canRaise() const { return get("CanRaise").toBool(); }
    bool hasTrackList() const { return get("HasTrackList").toBool(); }
    QString identity() const { return get("Identity").toString(); }
    QString desktopEntry() const { return get("DesktopEntry").toString(); }
    QStringList supportedUriSchemes() const { return get("SupportedUriSchemes").toStringList(); }
    QStringList supportedMimeTypes() const { return get("SupportedMimeTypes").toStringList(); }

public slots:
    void Raise();
    void Quit();

private:
    QVariant get(const char *name) const;
    QtMediaBus &m_bus;
};

// org.mpris.MediaPlayer2.Player: the player.
class MprisPlayerAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
    Q_PROPERTY(QString PlaybackStatus READ playbackStatus)
    Q_PROPERTY(double Rate READ rate WRITE setRate)
    Q_PROPERTY(double MinimumRate READ minimumRate)
    Q_PROPERTY(double MaximumRate READ maximumRate)
    Q_PROPERTY(QVariantMap Metadata READ metadata)
    Q_PROPERTY(double Volume READ volume WRITE setVolume)
    Q_PROPERTY(qlonglong Position READ position)
    Q_PROPERTY(bool CanGoNext READ canGoNext)
    Q_PROPERTY(bool CanGoPrevious READ canGoPrevious)
    Q_PROPERTY(bool CanPlay READ canPlay)
    Q_PROPERTY(bool CanPause READ canPause)
    Q_PROPERTY(bool CanSeek READ canSeek)
    Q_PROPERTY(bool CanControl READ canControl)
public:
    MprisPlayerAdaptor(QObject *object, QtMediaBus &bus);

    QString playbackStatus() const { return get("PlaybackStatus").toString(); }
    double rate() const { return get("Rate").toDouble(); }
    void setRate(double rate);
    double minimumRate() const { return get("MinimumRate").toDouble(); }
    double maximumRate() const { return get("MaximumRate").toDouble(); }
    QVariantMap metadata() const { return get("Metadata").toMap(); }
    double volume() const { return get("Volume").toDouble(); }
    void setVolume(double volume);
    qlonglong position() const;
    bool canGoNext() const { return get("CanGoNext").toBool(); }
    bool canGoPrevious() const { return get("CanGoPrevious").toBool(); }
    bool canPlay() const { return get("CanPlay").toBool(); }
    bool canPause() const { return get("CanPause").toBool(); }
    bool canSeek() const { return get("CanSeek").toBool(); }
    bool canControl() const { return get("CanControl").toBool(); }

public slots:
    void Next();
    void Previous();
    void Pause();
    void PlayPause();
    void Stop();
    void Play();
    void Seek(qlonglong Offset);
    void SetPosition(const QDBusObjectPath &TrackId, qlonglong Position);
    void OpenUri(const QString &Uri, const QDBusMessage &message);

signals:
    void Seeked(qlonglong Position);

private:
    QVariant get(const char *name) const;
    void refuse(const QDBusMessage &message, QDBusError::ErrorType type, const QString &why);
    QtMediaBus &m_bus;
};

// org.freedesktop.DBus.Properties for the two interfaces above. Answered here
// rather than by the bus library, which converts a value of another type
// where it can (a text "0.5" becomes a volume) and calls a value it cannot
// convert an internal error; a caller that sends the wrong type is told so.
class MprisPropertiesAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.DBus.Properties")
    // The library describes this interface itself, once.
    Q_CLASSINFO("D-Bus Introspection", "")
public:
    MprisPropertiesAdaptor(QObject *object, QtMediaBus &bus,
                           QList<QDBusAbstractAdaptor *> interfaces);

public slots:
    QDBusVariant Get(const QString &interface, const QString &name, const QDBusMessage &message);
    QVariantMap GetAll(const QString &interface, const QDBusMessage &message);
    void Set(const QString &interface, const QString &name, const QDBusVariant &value,
             const QDBusMessage &message);

private:
    // The adaptor and the index of the property; an error is sent when there
    // is none.
    std::pair<QDBusAbstractAdaptor *, int> find(const QString &interface, const QString &name,
                                                const QDBusMessage &message) const;
    void refuse(const QDBusMessage &message, QDBusError::ErrorType type, const QString &why) const;

    QtMediaBus &m_bus;
    QList<QDBusAbstractAdaptor *> m_interfaces;
};

} // namespace tv
