#include "platform/qt/MprisAdaptors.h"

#include "platform/qt/QtMediaBus.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QMetaProperty>
#include <QUrl>
#include <cmath>

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

// Local files only: the program reaches no other address. A file it cannot
// take is refused at once, and said in the window too.
void MprisPlayerAdaptor::OpenUri(const QString &Uri, const QDBusMessage &message) {
    if (!QUrl(Uri, QUrl::StrictMode).isLocalFile()) {
        refuse(message, QDBusError::NotSupported,
               QStringLiteral("Tonvela opens file:// addresses only"));
        return;
    }
    const bool taken = m_bus.opens(Uri);
    m_bus.later([Uri](MediaRemote &r) { r.OpenUri(Uri); });
    if (!taken)
        refuse(message, QDBusError::InvalidArgs,
               QStringLiteral("Tonvela opens MP3 files, folders and playlists that are there"));
}

void MprisPlayerAdaptor::refuse(const QDBusMessage &message, QDBusError::ErrorType type,
                                const QString &why) {
    message.setDelayedReply(true);
    m_bus.connection().send(message.createErrorReply(type, why));
}

namespace {

QString interfaceOf(const QObject *adaptor) {
    const QMetaObject *mo = adaptor->metaObject();
    return QString::fromLatin1(mo->classInfo(mo->indexOfClassInfo("D-Bus Interface")).value());
}

// The properties of QObject itself (its object name) are not the bus's.
bool isBusProperty(const QObject *adaptor, int index) {
    return index >= QObject::staticMetaObject.propertyCount() &&
           adaptor->metaObject()->property(index).isReadable();
}

// A value for a property of the bus type the interface gives it; a number
// that is no number (NaN, infinity) is no volume or rate either.
bool fits(const QMetaProperty &property, const QVariant &value) {
    if (value.metaType() != property.metaType())
        return false;
    return value.metaType() != QMetaType::fromType<double>() || std::isfinite(value.toDouble());
}

} // namespace

MprisPropertiesAdaptor::MprisPropertiesAdaptor(QObject *object, QtMediaBus &bus,
                                               QList<QDBusAbstractAdaptor *> interfaces)
    : QDBusAbstractAdaptor(object), m_bus(bus), m_interfaces(std::move(interfaces)) {}

void MprisPropertiesAdaptor::refuse(const QDBusMessage &message, QDBusError::ErrorType type,
                                    const QString &why) const {
    message.setDelayedReply(true);
    m_bus.connection().send(message.createErrorReply(type, why));
}

// An empty interface name looks in both, as the interface allows.
std::pair<QDBusAbstractAdaptor *, int>
MprisPropertiesAdaptor::find(const QString &interface, const QString &name,
                             const QDBusMessage &message) const {
    bool known = interface.isEmpty();
    for (QDBusAbstractAdaptor *adaptor : m_interfaces) {
        if (!interface.isEmpty() && interfaceOf(adaptor) != interface)
            continue;
        known = true;
        const int index = adaptor->metaObject()->indexOfProperty(name.toUtf8().constData());
        if (index >= 0 && isBusProperty(adaptor, index))
            return {adaptor, index};
    }
    if (known)
        refuse(message, QDBusError::UnknownProperty, QStringLiteral("No property ") + name);
    else
        refuse(message, QDBusError::UnknownInterface, QStringLiteral("No interface ") + interface);
    return {nullptr, -1};
}

QDBusVariant MprisPropertiesAdaptor::Get(const QString &interface, const QString &name,
                                         const QDBusMessage &message) {
    const auto [adaptor, index] = find(interface, name, message);
    if (!adaptor)
        return {};
    return QDBusVariant(adaptor->metaObject()->property(index).read(adaptor));
}

QVariantMap MprisPropertiesAdaptor::GetAll(const QString &interface, const QDBusMessage &message) {
    QVariantMap all;
    bool known = interface.isEmpty();
    for (QDBusAbstractAdaptor *adaptor : m_interfaces) {
        if (!interface.isEmpty() && interfaceOf(adaptor) != interface)
            continue;
        known = true;
        const QMetaObject *mo = adaptor->metaObject();
        for (int i = QObject::staticMetaObject.propertyCount(); i < mo->propertyCount(); ++i)
            if (isBusProperty(adaptor, i))
                all.insert(QString::fromLatin1(mo->property(i).name()),
                           mo->property(i).read(adaptor));
    }
    if (!known)
        refuse(message, QDBusError::UnknownInterface, QStringLiteral("No interface ") + interface);
    return all;
}

void MprisPropertiesAdaptor::Set(const QString &interface, const QString &name,
                                 const QDBusVariant &value, const QDBusMessage &message) {
    const auto [adaptor, index] = find(interface, name, message);
    if (!adaptor)
        return;
    const QMetaProperty property = adaptor->metaObject()->property(index);
    if (!property.isWritable())
        refuse(message, QDBusError::PropertyReadOnly, QStringLiteral("Read-only: ") + name);
    else if (!fits(property, value.variant()))
        refuse(message, QDBusError::InvalidArgs,
               name + QStringLiteral(" takes a value of type ") +
                   QString::fromLatin1(property.metaType().name()));
    else
        property.write(adaptor, value.variant());
}

} // namespace tv
