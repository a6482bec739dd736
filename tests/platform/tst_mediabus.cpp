// The remote on a private D-Bus bus, read and called as the desktop's
// controls do: every call reaching the remote after the caller had its
// answer, a second copy, no bus.
#include "Fakes.h"
#include "platform/qt/QtMediaBus.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QProcess>
#include <QTemporaryDir>
#include <functional>

using namespace tv;
using tv::test::columns;
using tv::test::row;

namespace {

const QString kService = QStringLiteral("org.mpris.MediaPlayer2.tonvela");
const QString kPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString kPlayer = QStringLiteral("org.mpris.MediaPlayer2.Player");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");

// A remote that logs what it is asked.
class LogRemote : public MediaRemote {
public:
    QVariantMap properties(Interface) const override { return {}; }
    qint64 position() const override { return 0; }
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

} // namespace

// A session bus of the test's own, on which the cases publish their remotes.
class TestMediaBus : public QObject {
    Q_OBJECT
    QProcess m_daemon;
    QString m_address;
    QDBusConnection m_client{QString()};

private slots:
    void initTestCase() {
        m_daemon.start("dbus-daemon",
                       {"--session", "--nofork", "--print-address=1", "--nopidfile"});
        QVERIFY2(m_daemon.waitForReadyRead(10000), qPrintable(m_daemon.errorString()));
        m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
        m_client = QDBusConnection::connectToBus(m_address, "client");
        QVERIFY2(m_client.isConnected(), qPrintable(m_client.lastError().message()));
    }
    void cleanupTestCase() {
        m_daemon.kill();
        m_daemon.waitForFinished();
    }

    // Each command reaches the remote after the caller had its answer: one
    // that asks the user something keeps no caller waiting. The volume is set
    // at once, from a number only; an address that is no local file is refused.
    void callsAndTheirAnswers_data() {
        columns<QString, QString, QVariantList, QString, QString, bool>("interface", "name", "args",
                                                                        "error", "logged", "later");
        const auto r = [](const char *name, const QString &interface, const char *member,
                          const QVariantList &args, const char *error, const char *logged,
                          bool later) {
            row(name, interface, QString(member), args, QString(error), QString(logged), later);
        };
        for (const char *name : {"Raise", "Quit"})
            r(name, "org.mpris.MediaPlayer2", name, {}, "", name, true);
        for (const char *name : {"Play", "Pause", "PlayPause", "Stop", "Next", "Previous"})
            r(name, kPlayer, name, {}, "", name, true);
        r("Seek", kPlayer, "Seek", {qlonglong(-2000000)}, "", "Seek:-2000000", true);
        r("SetPosition", kPlayer, "SetPosition",
          {QVariant::fromValue(QDBusObjectPath("/org/tonvela/song/1")), qlonglong(500000)}, "",
          "SetPosition:/org/tonvela/song/1:500000", true);
        r("OpenUri", kPlayer, "OpenUri", {"file:///a.mp3"}, "", "OpenUri:file:///a.mp3", true);
        r("open an address", kPlayer, "OpenUri", {"https://x/a.mp3"},
          "org.freedesktop.DBus.Error.NotSupported", "", false);
        const auto set = [](const char *property, const QVariant &value) {
            return QVariantList{kPlayer, property, QVariant::fromValue(QDBusVariant(value))};
        };
        const char *invalid = "org.freedesktop.DBus.Error.InvalidArgs";
        r("Rate 0 pauses", kProperties, "Set", set("Rate", 0.0), "", "Pause", true);
        r("volume", kProperties, "Set", set("Volume", 0.3), "", "volume:0.3", false);
        r("volume as a whole number", kProperties, "Set", set("Volume", 1), invalid, "", false);
        r("volume not a number", kProperties, "Set", set("Volume", qQNaN()), invalid, "", false);
        r("a read-only property", kProperties, "Set", set("PlaybackStatus", "Paused"),
          "org.freedesktop.DBus.Error.PropertyReadOnly", "", false);
    }
    void callsAndTheirAnswers() {
        QFETCH(QString, interface);
        QFETCH(QString, name);
        QFETCH(QVariantList, args);
        QFETCH(bool, later);
        LogRemote remote;
        QtMediaBus bus(QDBusConnection::connectToBus(m_address, "service"));
        QVERIFY(bus.publish(&remote));
        QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, interface, name);
        call.setArguments(args);
        QDBusPendingCall pending = m_client.asyncCall(call);
        bool answered = false;
        if (later) // else the answer waits for the remote
            remote.during = [&] {
                answered = QTest::qWaitFor([&] { return pending.isFinished(); }, 5000);
            };
        QVERIFY(QTest::qWaitFor([&] { return pending.isFinished(); }, 10000));
        QTEST(pending.reply().errorName(), "error");
        QTRY_VERIFY(!later || !remote.log.isEmpty());
        QTEST(remote.log.join(' '), "logged");
        QCOMPARE(answered, later);
    }

    // A second copy takes a name of its own; a withdrawn remote leaves the bus.
    void secondCopyAndWithdraw() {
        LogRemote remote, second;
        QtMediaBus bus(QDBusConnection::connectToBus(m_address, "service"));
        QVERIFY(bus.publish(&remote));
        QtMediaBus bus2(QDBusConnection::connectToBus(m_address, "second"));
        QVERIFY(bus2.publish(&second));
        QCOMPARE(bus2.serviceName(),
                 kService + ".instance" + QString::number(QCoreApplication::applicationPid()));
        bus.withdraw();
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
