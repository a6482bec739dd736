#include "platform/qt/QtMediaBus.h"

#include "platform/qt/MprisAdaptors.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUrl>

namespace tv {

namespace {

const QString kService = QStringLiteral("org.mpris.MediaPlayer2.tonvela");
const QString kPath = QStringLiteral("/org/mpris/MediaPlayer2");

// Without an address the D-Bus library would start a bus of its own for the
// display and leave it running; a desktop that has a bus says where it is.
QDBusConnection sessionBusIfAny() {
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) {
        const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
        if (runtime.isEmpty() || !QFileInfo::exists(runtime + QStringLiteral("/bus")))
            return QDBusConnection(QString());
    }
    return QDBusConnection::sessionBus();
}

QString interfaceName(MediaRemote::Interface which) {
    return which == MediaRemote::Root ? QStringLiteral("org.mpris.MediaPlayer2")
                                      : QStringLiteral("org.mpris.MediaPlayer2.Player");
}

// The track's name travels as an object path, not as a string.
QVariantMap toBus(QVariantMap properties) {
    const auto metadata = properties.find(QStringLiteral("Metadata"));
    if (metadata != properties.end()) {
        QVariantMap m = metadata->toMap();
        const QString trackId = m.value(QStringLiteral("mpris:trackid")).toString();
        m.insert(QStringLiteral("mpris:trackid"), QVariant::fromValue(QDBusObjectPath(trackId)));
        *metadata = m;
    }
    return properties;
}

} // namespace

QtMediaBus::QtMediaBus() : m_connection(sessionBusIfAny()) {}

QtMediaBus::QtMediaBus(const QDBusConnection &connection) : m_connection(connection) {}

QtMediaBus::~QtMediaBus() {
    withdraw();
}

bool QtMediaBus::publish(MediaRemote *remote) {
    if (!m_connection.isConnected() || m_remote || !remote)
        return false;
    auto *object = new QObject(this);
    auto *root = new MprisRootAdaptor(object, *this);
    m_player = new MprisPlayerAdaptor(object, *this);
    new MprisPropertiesAdaptor(object, *this, {root, m_player});
    m_remote = remote;
    if (m_connection.registerObject(kPath, object)) {
        // A second copy (from another folder) takes a name of its own, as
        // the interface's convention has it.
        const QString own =
            kService + QStringLiteral(".instance%1").arg(QCoreApplication::applicationPid());
        for (const QString &name : {kService, own}) {
            if (m_connection.registerService(name)) {
                m_service = name;
                m_object = object;
                return true;
            }
        }
        m_connection.unregisterObject(kPath);
    }
    m_remote = nullptr;
    m_player = nullptr;
    delete object;
    return false;
}

void QtMediaBus::withdraw() {
    if (!m_object)
        return;
    m_connection.unregisterService(m_service);
    m_connection.unregisterObject(kPath);
    delete m_object;
    m_object = nullptr;
    m_player = nullptr;
    m_remote = nullptr;
    m_service.clear();
}

void QtMediaBus::propertiesChanged(MediaRemote::Interface which, const QVariantMap &changed) {
    if (!m_remote)
        return;
    QDBusMessage signal =
        QDBusMessage::createSignal(kPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                   QStringLiteral("PropertiesChanged"));
    signal << interfaceName(which) << toBus(changed) << QStringList();
    m_connection.send(signal);
}

void QtMediaBus::seeked(qint64 position) {
    if (m_player)
        emit m_player->Seeked(position);
}

namespace {

// Larger covers than this are no cover a panel needs.
constexpr int kMostCoverSide = 4096;

// The picture's format when it decodes within bounds, else empty.
QByteArray decodedFormat(const QByteArray &picture) {
    QBuffer buffer;
    buffer.setData(picture);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (!reader.canRead() || !size.isValid() || size.width() > kMostCoverSide ||
        size.height() > kMostCoverSide)
        return {};
    const QByteArray format = reader.format();
    return reader.read().isNull() ? QByteArray() : format;
}

// Oldest first: a cover found again was touched, and counts as new.
void keepWithin(const QString &dir, const QString &kept, int mostFiles, qint64 mostBytes) {
    const QFileInfoList files =
        QDir(dir).entryInfoList(QDir::Files | QDir::Hidden, QDir::Time | QDir::Reversed);
    qsizetype count = files.size();
    qint64 bytes = 0;
    for (const QFileInfo &file : files)
        bytes += file.size();
    for (const QFileInfo &file : files) {
        if (count <= mostFiles && bytes <= mostBytes)
            break;
        if (file.filePath() != kept && QFile::remove(file.filePath())) {
            --count;
            bytes -= file.size();
        }
    }
}

} // namespace

// $XDG_CACHE_HOME/tonvela/covers/, under a name made of the picture's bytes:
// the same cover of a whole album is written once and found again.
QString QtMediaBus::coverAddress(const QByteArray &picture) {
    const QByteArray format = decodedFormat(picture);
    if (format.isEmpty())
        return {};
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
                        QStringLiteral("/tonvela/covers");
    const QString path =
        dir + QLatin1Char('/') +
        QString::fromLatin1(QCryptographicHash::hash(picture, QCryptographicHash::Sha256).toHex()) +
        QLatin1Char('.') + QString::fromLatin1(format);
    if (QFile found(path); found.exists()) {
        if (found.open(QIODevice::ReadOnly))
            found.setFileTime(QDateTime::currentDateTime(), QFileDevice::FileModificationTime);
    } else {
        QSaveFile file(path);
        if (!QDir().mkpath(dir) || !file.open(QIODevice::WriteOnly) ||
            file.write(picture) != picture.size() || !file.commit())
            return {};
        keepWithin(dir, path, kMostCovers, kMostCoverBytes);
    }
    return QUrl::fromLocalFile(path).toString();
}

QVariantMap QtMediaBus::busProperties(MediaRemote::Interface which) const {
    return m_remote ? toBus(m_remote->properties(which)) : QVariantMap();
}

qint64 QtMediaBus::position() const {
    return m_remote ? m_remote->position() : 0;
}

void QtMediaBus::setVolume(double volume) {
    if (m_remote)
        m_remote->setVolume(volume);
}

bool QtMediaBus::opens(const QString &uri) const {
    return m_remote && m_remote->opens(uri);
}

// A command may ask a question (a missing file, saving at Quit); the caller
// must not wait on the user for its answer, so the command runs after it.
void QtMediaBus::later(std::function<void(MediaRemote &)> command) {
    QMetaObject::invokeMethod(
        this,
        [this, command = std::move(command)] {
            if (m_remote)
                command(*m_remote);
        },
        Qt::QueuedConnection);
}

} // namespace tv
