// The remote on a private D-Bus bus, read and called as the desktop's
// controls do: the interfaces' types, every call reaching the remote after
// the caller had its answer, the announcements, a second copy, no bus.
#include "Fakes.h"
#include "platform/qt/QtMediaBus.h"

#include <QBuffer>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>
#include <functional>

using namespace tv;
using tv::test::columns;
using tv::test::row;

namespace {

const QString kService = QStringLiteral("org.mpris.MediaPlayer2.tonvela");
const QString kPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString kPlayer = QStringLiteral("org.mpris.MediaPlayer2.Player");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");

// A remote with fixed properties that logs what it is asked.
class LogRemote : public MediaRemote {
public:
    QVariantMap properties(Interface which) const override {
        if (which == Root)
            return {{"Identity", "Tonvela for MP3"},
                    {"CanQuit", true},
                    {"SupportedUriSchemes", QStringList()}};
        const QVariantMap song{{"mpris:trackid", "/org/tonvela/song/1"},
                               {"xesam:title", "Dawn"},
                               {"mpris:length", qlonglong(3500000)}};
        return {{"PlaybackStatus", "Playing"},
                {"Metadata", song},
                {"Volume", 0.5},
                {"Rate", 1.0},
                {"CanSeek", true}};
    }
    qint64 position() const override { return 1250000; }
    void setVolume(double volume) override { note(QStringLiteral("volume:%1").arg(volume)); }
    void Raise() override { note("Raise"); }
    void Quit() override { note("Quit"); }
    void Play() override { note("Play"); }
    void Pause() override { note("Pause"); }
    void PlayPause() override { note("PlayPause"); }
    void Stop() override { note("Stop"); }
    void Next() override { note("Next"); }
    void Previous() override { note("Previous"); }
    void Seek(qint64 offset) override { note(QStringLiteral("Seek:%1").arg(offset)); }
    void SetPosition(const QString &id, qint64 position) override {
        note(QStringLiteral("SetPosition:%1:%2").arg(id).arg(position));
    }
    void OpenUri(const QString &uri) override { note("OpenUri:" + uri); }

    QStringList log;
    // Runs in every command, as a question to the user would.
    std::function<void()> during;

private:
    void note(const QString &what) {
        log << what;
        if (during)
            during();
    }
};

// A session bus of the test's own, ended with it.
struct PrivateBus {
    QProcess daemon;
    QString address;

    PrivateBus() {
        daemon.start(QStringLiteral("dbus-daemon"),
                     {"--session", "--nofork", "--print-address=1", "--nopidfile"});
        if (!daemon.waitForReadyRead(10000))
            qFatal("dbus-daemon did not start: %s", qPrintable(daemon.errorString()));
        address = QString::fromUtf8(daemon.readLine()).trimmed();
    }
    ~PrivateBus() {
        daemon.kill();
        daemon.waitForFinished();
    }
    QDBusConnection connect(const QString &name) const {
        return QDBusConnection::connectToBus(address, name);
    }
};

QDBusMessage method(const QString &interface, const QString &name, const QVariantList &args = {}) {
    QDBusMessage m = QDBusMessage::createMethodCall(kService, kPath, interface, name);
    m.setArguments(args);
    return m;
}

// Calls and waits for the answer while events run (the service is in this
// process too).
QDBusMessage call(const QDBusConnection &client, const QDBusMessage &m) {
    QDBusPendingCall pending = client.asyncCall(m);
    if (!QTest::qWaitFor([&] { return pending.isFinished(); }, 10000))
        return {};
    return pending.reply();
}

} // namespace

class TestMediaBus : public QObject {
    Q_OBJECT
    PrivateBus m_bus;
    QDBusConnection m_client = m_bus.connect("client");
    QList<QDBusMessage> m_heard;

public slots:
    void heard(const QDBusMessage &signal) { m_heard << signal; }

private slots:
    void initTestCase() {
        QVERIFY2(m_client.isConnected(), qPrintable(m_client.lastError().message()));
        for (const char *name : {"PropertiesChanged", "Seeked"})
            QVERIFY(m_client.connect(QString(), kPath, QString(), name, this,
                                     SLOT(heard(QDBusMessage))));
    }

    // What the desktop reads: the two interfaces as the remote-control
    // interface defines them, the track as an object path, times as int64.
    void propertiesInTheirBusTypes() {
        LogRemote remote;
        QtMediaBus bus(m_bus.connect("service"));
        QVERIFY(bus.publish(&remote));
        QCOMPARE(bus.serviceName(), kService);

        const QDBusMessage all = call(m_client, method(kProperties, "GetAll", {kPlayer}));
        QCOMPARE(all.signature(), QString("a{sv}"));
        const QVariantMap p = qdbus_cast<QVariantMap>(all.arguments().at(0));
        QCOMPARE(p.value("PlaybackStatus"), QVariant("Playing"));
        QCOMPARE(p.value("Position").metaType(), QMetaType::fromType<qlonglong>());
        QCOMPARE(p.value("Position").toLongLong(), 1250000);
        QCOMPARE(p.value("Volume").metaType(), QMetaType::fromType<double>());
        const QVariantMap song = qdbus_cast<QVariantMap>(p.value("Metadata"));
        QCOMPARE(song.value("mpris:trackid").value<QDBusObjectPath>().path(),
                 QString("/org/tonvela/song/1"));
        QCOMPARE(song.value("mpris:length").metaType(), QMetaType::fromType<qlonglong>());
        QCOMPARE(song.value("xesam:title"), QVariant("Dawn"));

        const QDBusMessage identity =
            call(m_client, method(kProperties, "Get", {"org.mpris.MediaPlayer2", "Identity"}));
        QCOMPARE(identity.arguments().at(0).value<QDBusVariant>().variant(),
                 QVariant("Tonvela for MP3"));

        const QString xml =
            call(m_client, method("org.freedesktop.DBus.Introspectable", "Introspect"))
                .arguments()
                .value(0)
                .toString();
        for (const char *part :
             {R"(<interface name="org.mpris.MediaPlayer2">)", R"(<method name="Raise")",
              R"(<property name="Metadata" type="a{sv}" access="read")",
              R"(<property name="Volume" type="d" access="readwrite")",
              R"(<property name="Position" type="x" access="read")",
              R"(<arg name="Offset" type="x" direction="in"/>)",
              R"(<arg name="TrackId" type="o" direction="in"/>)",
              R"(<arg name="Position" type="x" direction="out"/>)"})
            QVERIFY2(xml.contains(part), part);
        QCOMPARE(xml.count(R"(<interface name="org.freedesktop.DBus.Properties">)"), 1);
    }

    // A cover is written once under the cache folder, named by its bytes;
    // bytes that are no picture are no cover.
    void coversInTheCache() {
        QTemporaryDir cache;
        qputenv("XDG_CACHE_HOME", QFile::encodeName(cache.path()));
        QtMediaBus bus(m_bus.connect("covers"));
        QImage image(3, 2, QImage::Format_RGB32);
        image.fill(Qt::red);
        QByteArray png;
        QBuffer buffer(&png);
        QVERIFY(buffer.open(QIODevice::WriteOnly) && image.save(&buffer, "PNG"));
        const QString address = bus.coverAddress(png);
        const QString file = QUrl(address).toLocalFile();
        QVERIFY2(file.startsWith(cache.path() + "/tonvela/covers/"), qPrintable(address));
        QCOMPARE(QImage(file).size(), image.size());
        QCOMPARE(bus.coverAddress(png), address);
        QCOMPARE(QDir(QFileInfo(file).path()).count(), 3); // ".", ".." and the cover
        QCOMPARE(bus.coverAddress("\x89PNG\r\n\x1a\n broken"), QString());
        QCOMPARE(bus.coverAddress(png.left(png.size() / 2)), QString());
    }

    // Each call reaches the remote, after the caller had its answer: a
    // command that asks the user something keeps no caller waiting.
    void callsReachTheRemoteAfterTheAnswer_data() {
        columns<QString, QString, QVariantList, QString>("interface", "name", "args", "logged");
        const QString root = "org.mpris.MediaPlayer2";
        for (const char *name : {"Raise", "Quit"})
            QTest::newRow(name) << root << name << QVariantList() << name;
        for (const char *name : {"Play", "Pause", "PlayPause", "Stop", "Next", "Previous"})
            QTest::newRow(name) << kPlayer << name << QVariantList() << name;
        QTest::newRow("Seek") << kPlayer << "Seek" << QVariantList{qlonglong(-2000000)}
                              << "Seek:-2000000";
        QTest::newRow("SetPosition")
            << kPlayer << "SetPosition"
            << QVariantList{QVariant::fromValue(QDBusObjectPath("/org/tonvela/song/1")),
                            qlonglong(500000)}
            << "SetPosition:/org/tonvela/song/1:500000";
        QTest::newRow("OpenUri") << kPlayer << "OpenUri" << QVariantList{"file:///a.mp3"}
                                 << "OpenUri:file:///a.mp3";
        QTest::newRow("Rate 0 pauses")
            << kProperties << "Set"
            << QVariantList{kPlayer, "Rate", QVariant::fromValue(QDBusVariant(0.0))} << "Pause";
    }
    void callsReachTheRemoteAfterTheAnswer() {
        QFETCH(QString, interface);
        QFETCH(QString, name);
        QFETCH(QVariantList, args);
        LogRemote remote;
        QtMediaBus bus(m_bus.connect("service"));
        QVERIFY(bus.publish(&remote));
        QDBusPendingCall pending = m_client.asyncCall(method(interface, name, args));
        bool answered = false;
        remote.during = [&] {
            static_cast<void>(QTest::qWaitFor([&] { return pending.isFinished(); }, 5000));
            answered = pending.isFinished();
        };
        QTRY_COMPARE(remote.log.size(), 1);
        QTEST(remote.log.first(), "logged");
        QVERIFY(answered);
        QVERIFY(!pending.isError());
    }

    // The volume is set at once, from a number only; an address that is no
    // local file is refused.
    void volumeAndOpenUri_data() {
        columns<QString, QString, QVariantList, QString, QStringList>("interface", "name", "args",
                                                                      "error", "logged");
        const auto volume = [](const QVariant &value) {
            return QVariantList{kPlayer, "Volume", QVariant::fromValue(QDBusVariant(value))};
        };
        const QString invalid = "org.freedesktop.DBus.Error.InvalidArgs";
        row("volume", kProperties, QString("Set"), volume(0.3), QString(),
            QStringList{"volume:0.3"});
        row("volume as text", kProperties, QString("Set"), volume("loud"), invalid, QStringList());
        row("volume as a whole number", kProperties, QString("Set"), volume(1), invalid,
            QStringList());
        row("volume not a number", kProperties, QString("Set"), volume(qQNaN()), invalid,
            QStringList());
        row("a read-only property", kProperties, QString("Set"),
            QVariantList{kPlayer, "PlaybackStatus", QVariant::fromValue(QDBusVariant("Paused"))},
            QString("org.freedesktop.DBus.Error.PropertyReadOnly"), QStringList());
        row("open an address", kPlayer, QString("OpenUri"), QVariantList{"https://x/a.mp3"},
            QString("org.freedesktop.DBus.Error.NotSupported"), QStringList());
    }
    void volumeAndOpenUri() {
        QFETCH(QString, interface);
        QFETCH(QString, name);
        QFETCH(QVariantList, args);
        LogRemote remote;
        QtMediaBus bus(m_bus.connect("service"));
        QVERIFY(bus.publish(&remote));
        const QDBusMessage answer = call(m_client, method(interface, name, args));
        QTEST(answer.errorName(), "error");
        QTEST(remote.log, "logged");
    }

    // Changes and jumps reach the listeners as the interface's signals.
    void announcements() {
        LogRemote remote;
        QtMediaBus bus(m_bus.connect("service"));
        QVERIFY(bus.publish(&remote));
        m_heard.clear();
        bus.propertiesChanged(
            MediaRemote::Player,
            {{"PlaybackStatus", "Paused"},
             {"Metadata", QVariantMap{{"mpris:trackid", "/org/tonvela/song/2"}}}});
        bus.seeked(1500000);
        QTRY_COMPARE(m_heard.size(), 2);
        const QDBusMessage changed = m_heard.at(0);
        QCOMPARE(changed.member(), QString("PropertiesChanged"));
        QCOMPARE(changed.signature(), QString("sa{sv}as"));
        QCOMPARE(changed.arguments().at(0), QVariant(kPlayer));
        const QVariantMap values = qdbus_cast<QVariantMap>(changed.arguments().at(1));
        QCOMPARE(values.value("PlaybackStatus"), QVariant("Paused"));
        QCOMPARE(qdbus_cast<QVariantMap>(values.value("Metadata"))
                     .value("mpris:trackid")
                     .value<QDBusObjectPath>()
                     .path(),
                 QString("/org/tonvela/song/2"));
        QCOMPARE(m_heard.at(1).member(), QString("Seeked"));
        QCOMPARE(m_heard.at(1).arguments(), QVariantList{qlonglong(1500000)});
    }

    // A second copy takes a name of its own; a withdrawn remote leaves the bus.
    void secondCopyAndWithdraw() {
        LogRemote first, second;
        QtMediaBus bus1(m_bus.connect("service"));
        QtMediaBus bus2(m_bus.connect("second"));
        QVERIFY(bus1.publish(&first));
        QVERIFY(bus2.publish(&second));
        QCOMPARE(bus2.serviceName(),
                 kService + ".instance" + QString::number(QCoreApplication::applicationPid()));
        bus1.withdraw();
        QTRY_VERIFY(!m_client.interface()->isServiceRegistered(kService).value());
        QVERIFY(m_client.interface()->isServiceRegistered(bus2.serviceName()).value());
    }

    // Without a bus nothing is published; with no address the desktop's bus
    // is not looked for (nor started).
    void withoutABus() {
        LogRemote remote;
        QtMediaBus none{QDBusConnection(QStringLiteral("no such connection"))};
        QVERIFY(!none.publish(&remote));
        QTemporaryDir runtime;
        const QByteArray address = qgetenv("DBUS_SESSION_BUS_ADDRESS");
        qunsetenv("DBUS_SESSION_BUS_ADDRESS");
        qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
        QtMediaBus session;
        QVERIFY(!session.publish(&remote));
        QVERIFY(session.serviceName().isEmpty());
        if (!address.isEmpty())
            qputenv("DBUS_SESSION_BUS_ADDRESS", address);
    }
};

QTEST_GUILESS_MAIN(TestMediaBus)
#include "tst_mediabus.moc"
