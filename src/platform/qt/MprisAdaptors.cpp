#include "platform/qt/MprisAdaptors.h"

#include "platform/qt/QtMediaBus.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QUrl>

namespace tv {

MprisRootAdaptor::MprisRootAdaptor(QObject *object, QtMediaBus &bus)
    : QDBusAbstractAdaptor(object), m_bus(bus) {}

QVariant MprisRootAdaptor::get(const char *name) const {
    return m_bus.busProperties(MediaRemote::Root).value(QLatin1String(name));
}

void MprisRootAdaptor::Raise() {
    m_bus.later([](MediaRemote &r) { r.Raise(); });
}

void MprisRootAdaptor::Quit() {
    m_bus.later([](MediaRemote &r) { r.Quit(); });
}

MprisPlayerAdaptor::MprisPlayerAdaptor(QObject *object, QtMediaBus &bus)
    : QDBusAbstractAdaptor(object), m_bus(bus) {}

QVariant MprisPlayerAdaptor::get(const char *name) const {
    return m_bus.busProperties(MediaRemote::Player).value(QLatin1String(name));
}

// Only the normal speed is played; a rate of 0 is a pause, as the interface says.
void MprisPlayerAdaptor::setRate(double rate) {
    if (rate == 0.0)
        Pause();
}

void MprisPlayerAdaptor::setVolume(double volume) {
    m_bus.setVolume(volume);
}

qlonglong MprisPlayerAdaptor::position() const {
    return m_bus.position();
}

void MprisPlayerAdaptor::Next() {
    m_bus.later([](MediaRemote &r) { r.Next(); });
}

void MprisPlayerAdaptor::Previous() {
    m_bus.later([](MediaRemote &r) { r.Previous(); });
}

void MprisPlayerAdaptor::Pause() {
    m_bus.later([](MediaRemote &r) { r.Pause(); });
}

void MprisPlayerAdaptor::PlayPause() {
    m_bus.later([](MediaRemote &r) { r.PlayPause(); });
}

void MprisPlayerAdaptor::Stop() {
    m_bus.later([](MediaRemote &r) { r.Stop(); });
}

void MprisPlayerAdaptor::Play() {
    m_bus.later([](MediaRemote &r) { r.Play(); });
}

void MprisPlayerAdaptor::Seek(qlonglong Offset) {
    m_bus.later([Offset](MediaRemote &r) { r.Seek(Offset); });
}

void MprisPlayerAdaptor::SetPosition(const QDBusObjectPath &TrackId, qlonglong Position) {
    m_bus.later([id = TrackId.path(), Position](MediaRemote &r) { r.SetPosition(id, Position); });
}

// Local files only: the program reaches no other address.
void MprisPlayerAdaptor::OpenUri(const QString &Uri, const QDBusMessage &message) {
    if (QUrl(Uri, QUrl::StrictMode).isLocalFile()) {
        m_bus.later([Uri](MediaRemote &r) { r.OpenUri(Uri); });
        return;
    }
    message.setDelayedReply(true);
    m_bus.connection().send(message.createErrorReply(
        QDBusError::NotSupported, QStringLiteral("Tonvela opens file:// addresses only")));
}

} // namespace tv
