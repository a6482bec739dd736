// The Qt ports of the program: dialogs, instance guard, the web module, and
// the remote on a private D-Bus bus, called as the desktop's controls do
// (every call reaching the remote after the caller had its answer, a second
// copy, no bus). Where the end of the run is called from: test_ways_out.sh.
#include "Fakes.h"
#include "LocalServer.h"
#include "platform/CopyRequest.h"
#include "platform/qt/CommandLine.h"
#include "platform/qt/LazyWebFetcher.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtInstanceGuard.h"
#include "platform/qt/QtMediaBus.h"

#include <QAbstractButton>
#include <QApplication>
#include <QBuffer>
#include <QColor>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDir>
#include <QFileDialog>
#include <QImage>
#include <QMessageBox>
#include <QProcess>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QUrl>
#include <cstdio>
#include <functional>
#include <future>
#include <memory>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace tv;
using namespace tv::test;

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
    bool opens(const QString &uri) const override { return !uri.contains("missing"); }

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

// Acts on the next modal window of type W once it shows.
template <typename W> void whenShown(std::function<void(W *)> act) {
    QTimer::singleShot(10, [act] {
        if (auto *w = qobject_cast<W *>(QApplication::activeModalWidget()))
            act(w);
        else
            whenShown<W>(act);
    });
}

// Another copy of the program: holds the guard for a folder until killed.
int holdGuard(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    QtInstanceGuard guard;
    if (!guard.acquire(QString::fromLocal8Bit(argv[2])))
        return 3;
    guard.startedUp();
    std::puts("held");
    std::fflush(stdout);
    return app.exec();
}

// Says the bytes to a guard's socket as any program of this user could, then
// waits until the guard hangs up (it runs in this thread: events must run).
bool sayToGuard(const QString &key, const QByteArray &bytes) {
    const QByteArray path = QFile::encodeName(QDir(QtInstanceGuard::folderOfKeys()).filePath(key));
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0);
    const auto closing = qScopeGuard([fd] { ::close(fd); });
    if (::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0)
        return false;
    // Sends what the socket takes while the guard reads, then ends the request.
    qsizetype sent = 0;
    bool said = false;
    return QTest::qWaitFor(
        [&] {
            if (sent < bytes.size()) {
                const ssize_t n =
                    ::send(fd, bytes.constData() + sent, size_t(bytes.size() - sent), MSG_NOSIGNAL);
                sent += qMax<ssize_t>(n, 0);
                return n < 0 && errno != EAGAIN;
            }
            said = said || ::shutdown(fd, SHUT_WR) == 0;
            char c;
            const ssize_t n = ::recv(fd, &c, 1, 0);
            return n == 0 || (n < 0 && errno != EAGAIN);
        },
        10000);
}

// A later copy started beside this thread, whose events its answer needs.
std::future<bool> startCopy(const QString &dir, const QStringList &files = {},
                            const FileSystem *fs = nullptr) {
    return std::async(std::launch::async,
                      [dir, files, fs] { return QtInstanceGuard(fs).acquire(dir, files); });
}

// Whether the copy took the folder: one that hangs took it.
bool tookIt(std::future<bool> copy) {
    const auto done = [&copy] {
        return copy.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
    };
    return !QTest::qWaitFor(done, 30000) || copy.get();
}

std::function<void(const WebAnswer &)> into(QList<WebAnswer> *answers) {
    return [answers](const WebAnswer &answer) { answers->append(answer); };
}

} // namespace

class TestQtPorts : public QObject {
    Q_OBJECT
    DriveFileSystem fs{{Drive{QStringLiteral("Z"), QStringLiteral("/")}}};
    QtDialogs dialogs{fs};
    QProcess m_daemon;
    QString m_address;
    QDBusConnection m_client{QString()};

private slots:
    // A session bus of the test's own, on which the remote's cases publish.
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

    // The keys answer the box; it is at least as wide as its title in bold
    // with room for the frame's icon and buttons, however short its text.
    void messageBoxes_data() {
        columns<int, Qt::Key, QString, QString, int>("style", "key", "title", "text", "expected");
        const auto r = [](const char *name, int style, Qt::Key key, int expected,
                          const char *title = "T", const char *text = "Z:/a.mp3\r\nis not found.") {
            row(name, style, key, QString(title), QString(text), expected);
        };
        r("3 buttons, Escape", vbYesNoCancel, Qt::Key_Escape, vbCancel);
        r("Yes/No, Escape", vbYesNo, Qt::Key_Escape, vbNo);
        r("Yes/No, Enter", vbYesNo, Qt::Key_Return, vbYes);
        r("second default, Enter", vbYesNoCancel | vbDefaultButton2, Qt::Key_Return, vbNo);
        r("long title", vbOKOnly | vbCritical, Qt::Key_Escape, vbOK,
          "Tonvela for MP3 - Greatest hits of every year.alb", "File save not probably.");
    }
    void messageBoxes() {
        QFETCH(int, style);
        QFETCH(Qt::Key, key);
        QFETCH(QString, title);
        QFETCH(QString, text);
        QString shown;
        int width = 0;
        whenShown<QMessageBox>([&](QMessageBox *box) {
            shown = box->windowTitle() + '|' + box->text();
            width = box->width();
            QTest::keyClick(box, key);
            if (box->isVisible()) // a focused button takes Enter itself
                QTest::keyClick(box->focusWidget(), key);
        });
        QTEST(dialogs.MsgBox(text, style, title), "expected");
        QCOMPARE(shown, title + '|' + QString(text).replace("\r\n", "\n"));
        QFont bold = QApplication::font();
        bold.setBold(true);
        QVERIFY2(width >= QFontMetrics(bold).horizontalAdvance(title) + 100,
                 qPrintable(QString::number(width)));
    }

    void saveDialogGivesTheLetteredPath() {
        QTemporaryDir dir;
        const QString lettered = fs.fromNative(dir.path()) + "/";
        QString shown;
        whenShown<QFileDialog>([&](QFileDialog *d) {
            shown = d->directory().absolutePath() + '|' + d->nameFilters().join(';');
            static_cast<QDialog *>(d)->accept(); // the Save button, with the proposed name
        });
        const QList<FileFilter> albums = {{"Альбомы (*.alb)", "*.alb"}, {"All Files (*.*)", "*.*"}};
        QCOMPARE(dialogs.fileDialog(true, lettered, lettered + "rock.alb", albums),
                 lettered + "rock.alb");
        // "*.*" is every file, also those without a dot.
        QCOMPARE(shown, QDir(dir.path()).absolutePath() + "|Альбомы (*.alb);All Files (*)");
        whenShown<QFileDialog>([](QFileDialog *d) { d->reject(); });
        QCOMPARE(dialogs.fileDialog(false, lettered, "", albums), QString());
    }

    // A copy that crashed leaves its lock file and socket behind; the next start
    // takes over, and from then on later copies are refused and raise it.
    void secondCopyIsRefusedAndRaisesTheFirst() {
        QTemporaryDir app, other;
        QProcess crashed;
        crashed.start(QCoreApplication::applicationFilePath(), {"--hold", app.path()});
        QVERIFY(crashed.waitForReadyRead(10000));
        QVERIFY(!QtInstanceGuard().acquire(app.path()));
        crashed.kill();
        QVERIFY(crashed.waitForFinished(10000));
        auto first = std::make_unique<QtInstanceGuard>();
        QSignalSpy raised(first.get(), &QtInstanceGuard::raiseRequested);
        QVERIFY(first->acquire(app.path()));
        first->startedUp();
        QtInstanceGuard elsewhere;
        QVERIFY(!tookIt(startCopy(fs.fromNative(app.path()) + "/", {}, &fs)));
        QTRY_COMPARE(raised.count(), 1);
        QVERIFY(elsewhere.acquire(other.path()));
        QCOMPARE(raised.count(), 1);
        const auto all = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
        QCOMPARE(QDir(app.path()).entryList(all), QStringList());
        first.reset(); // a copy that ends frees its folder
        QVERIFY(QtInstanceGuard().acquire(app.path()));
    }

    // Copies started at once, the first still starting, and a list longer
    // than one request: every file is heard exactly once, in each copy's
    // order, and only once the first copy's start-up is done; files raise
    // nothing.
    void everyFileHandedOverOnce_data() {
        columns<int, int>("copies", "files");
        row("ten copies at once", 10, 1);
        row("a long list", 1, 40000);
    }
    void everyFileHandedOverOnce() {
        QFETCH(int, copies);
        QFETCH(int, files);
        QTemporaryDir app;
        QtInstanceGuard first;
        QSignalSpy opened(&first, &QtInstanceGuard::openRequested);
        QSignalSpy raised(&first, &QtInstanceGuard::raiseRequested);
        QVERIFY(first.acquire(app.path()));
        std::vector<std::future<bool>> later;
        QStringList all;
        for (int c = 0; c < copies; ++c) {
            QStringList given;
            for (int f = 0; f < files; ++f)
                given << QStringLiteral("/music/copy %1/Ёлка, a long song %2.mp3").arg(c).arg(f);
            all += given;
            later.push_back(startCopy(app.path(), given));
        }
        QThread::msleep(300); // the first copy is busy starting up
        for (std::future<bool> &copy : later)
            QVERIFY(!tookIt(std::move(copy)));
        QCOMPARE(opened.count(), 0);
        first.startedUp();
        QCOMPARE(opened.count(), 1);
        QStringList heard = opened.first().first().toStringList();
        QVERIFY(CopyRequest::encode(heard).size() > 1 || copies > 1);
        for (int c = 0; c < copies; ++c) {
            const QString copy = QStringLiteral("/music/copy %1/").arg(c);
            QStringList fromCopy = heard.filter(copy);
            QCOMPARE(fromCopy, all.filter(copy));
        }
        heard.sort();
        all.sort();
        QCOMPARE(heard, all);
        // From here on each request is handed on as it comes.
        QVERIFY(!tookIt(startCopy(app.path(), {"/music/late.mp3"})));
        QTRY_COMPARE(opened.count(), 2);
        QCOMPARE(raised.count(), 0);
    }

    // Anyone of this user can reach the socket: only a whole, well-formed
    // request of bounded size is heard, and a bad one leaves the guard working.
    void guardHearsOnlyWellFormedRequests_data() {
        columns<QByteArray, QString>("said", "heard");
        const QByteArray open("open\n");
        const QByteArray end("\0", 1);
        row("files", open + "/a.mp3" + end + "/b c/\xd1\x91.mp3" + end + end,
            QString::fromUtf8("/a.mp3|/b c/ё.mp3"));
        row("without its end", open + "/a.mp3" + end, QString());
        row("an empty name", open + "/a.mp3" + end + end + "/b.mp3" + end + end, QString());
        row("too long", open + QByteArray(CopyRequest::kMaxBytes, 'a') + '\0', QString());
    }
    void guardHearsOnlyWellFormedRequests() {
        QFETCH(QByteArray, said);
        QTemporaryDir app;
        QtInstanceGuard guard;
        QStringList heard;
        connect(&guard, &QtInstanceGuard::raiseRequested, [&] { heard << "raise"; });
        connect(&guard, &QtInstanceGuard::openRequested,
                [&](const QStringList &files) { heard << files; });
        QVERIFY(guard.acquire(app.path()));
        guard.startedUp();
        const QString key = QtInstanceGuard::keyFor(QFileInfo(app.path()).canonicalFilePath());
        QVERIFY(sayToGuard(key, said));
        QTEST(heard.join('|'), "heard");
        heard.clear();
        QVERIFY(sayToGuard(key, "raise\n"));
        QCOMPARE(heard, QStringList{"raise"});
    }

    // The web loaded from its module, as the program loads it once its window
    // is up: fetches asked for before wait and go out then, in order; a fetch
    // dropped while it waits never goes out.
    void webFetchesWaitForTheStart() {
        test::LocalServer server;
        server.pages.insert("/a.html", {"text/html", "<p>A</p>"});
        server.pages.insert("/b.png", {"image/png", "PNG"});
        LazyWebFetcher web(QStringLiteral(TV_TEST_BUILD "/.."));
        QList<WebAnswer> answers;
        auto a = web.fetch(QUrl(server.url("/a.html")), 1000, 5000, into(&answers));
        auto dropped = web.fetch(QUrl(server.url("/dropped")), 1000, 5000, into(&answers));
        auto b = web.fetch(QUrl(server.url("/b.png")), 1000, 5000, into(&answers));
        dropped.reset();
        QTest::qWait(100);
        QCOMPARE(server.requests, QStringList());
        web.start();
        QTRY_COMPARE(answers.size(), 2);
        QCOMPARE(server.requests, QStringList({"/a.html", "/b.png"}));
        QVERIFY(answers[0].ok && answers[1].ok);
        QCOMPARE(answers[0].body, QByteArray("<p>A</p>"));
        QCOMPARE(answers[1].contentType, QByteArray("image/png"));
        // Once started, a fetch goes out at once; one over its bound fails.
        auto big = web.fetch(QUrl(server.url("/a.html")), 4, 5000, into(&answers));
        QTRY_COMPARE(answers.size(), 3);
        QVERIFY(!answers[2].ok);
    }

    // Without the web module every fetch fails, later, never inside the call.
    void noWebModuleFailsEveryFetchLater() {
        QTemporaryDir empty;
        LazyWebFetcher web(empty.path());
        QList<WebAnswer> answers;
        auto before = web.fetch(QUrl("http://127.0.0.1:1/a"), 1000, 5000, into(&answers));
        web.start();
        auto after = web.fetch(QUrl("http://127.0.0.1:1/b"), 1000, 5000, into(&answers));
        QVERIFY(answers.isEmpty());
        QTRY_COMPARE(answers.size(), 2);
        QVERIFY(!answers[0].ok && !answers[1].ok);
        QCOMPARE(answers[1].url, QUrl("http://127.0.0.1:1/b"));
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
        r("open a missing file", kPlayer, "OpenUri", {"file:///missing.mp3"},
          "org.freedesktop.DBus.Error.InvalidArgs", "OpenUri:file:///missing.mp3", true);
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

    // The command line as a Linux program reads it.
    void commandLine_data() {
        columns<QStringList, int, QStringList>("arguments", "what", "files");
        row("files", QStringList{"a.mp3", "/m"}, int(CommandLine::Run), QStringList{"a.mp3", "/m"});
        row("help", QStringList{"a.mp3", "--help"}, int(CommandLine::Help), QStringList());
        row("short help", QStringList{"-h"}, int(CommandLine::Help), QStringList());
        row("version", QStringList{"--version"}, int(CommandLine::Version), QStringList());
        row("options end", QStringList{"--", "--help", "-x.mp3"}, int(CommandLine::Run),
            QStringList{"--help", "-x.mp3"});
        row("a lone dash is a file", QStringList{"-"}, int(CommandLine::Run), QStringList{"-"});
        row("unknown option", QStringList{"--halp"}, int(CommandLine::Wrong), QStringList());
    }
    void commandLine() {
        QFETCH(QStringList, arguments);
        const CommandLine line = CommandLine::read(arguments);
        QTEST(int(line.what), "what");
        QTEST(line.files, "files");
        QCOMPARE(line.wrong, line.what == CommandLine::Wrong ? arguments.first() : QString());
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

    // The cover cache stays within its bounds in files and bytes: the cover
    // played longest ago goes first, and one played again counts as new.
    void theCoverCacheStaysBounded() {
        QTemporaryDir cache;
        const QByteArray before = qgetenv("XDG_CACHE_HOME");
        qputenv("XDG_CACHE_HOME", QFile::encodeName(cache.path()));
        const auto restore = qScopeGuard([&before] {
            before.isNull() ? qunsetenv("XDG_CACHE_HOME") : qputenv("XDG_CACHE_HOME", before);
        });
        const QString dir = cache.path() + "/tonvela/covers";
        QVERIFY(QDir().mkpath(dir));
        const auto stamp = [](const QString &path, const QDateTime &time) {
            QFile file(path);
            return file.open(QIODevice::ReadOnly) &&
                   file.setFileTime(time, QFileDevice::FileModificationTime);
        };
        QFile huge(dir + "/huge.png");
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(QtMediaBus::kMostCoverBytes));
        huge.close();
        const QDateTime past = QDateTime::currentDateTime().addDays(-1);
        QVERIFY(stamp(huge.fileName(), past));

        QtMediaBus bus{QDBusConnection(QStringLiteral("no such connection"))};
        const auto cover = [](int n) {
            QImage image(1, 1, QImage::Format_RGB32);
            image.fill(QColor::fromRgb(QRgb(n)));
            QBuffer png;
            png.open(QIODevice::WriteOnly);
            image.save(&png, "PNG");
            return png.data();
        };
        const auto play = [&](int n) { return QUrl(bus.coverAddress(cover(n))).toLocalFile(); };
        // Each written a second after the one before.
        QStringList files;
        for (int n = 0; n < QtMediaBus::kMostCovers; ++n) {
            files << play(n);
            QVERIFY(stamp(files.last(), past.addSecs(n + 1)));
        }
        QVERIFY(!QFileInfo::exists(huge.fileName()));
        QCOMPARE(QDir(dir).entryList(QDir::Files).size(), QtMediaBus::kMostCovers);
        // Cover 0 again, then one more: cover 1 was played longest ago now.
        QCOMPARE(play(0), files[0]);
        const QString newest = play(QtMediaBus::kMostCovers);
        QCOMPARE(QDir(dir).entryList(QDir::Files).size(), QtMediaBus::kMostCovers);
        QVERIFY(QFileInfo::exists(files[0]) && QFileInfo::exists(newest));
        QVERIFY(!QFileInfo::exists(files[1]) && QFileInfo::exists(files[2]));
    }
};

int main(int argc, char **argv) {
    if (argc == 3 && qstrcmp(argv[1], "--hold") == 0)
        return holdGuard(argc, argv);
    QApplication app(argc, argv);
    TestQtPorts tests;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tests, argc, argv);
}

#include "tst_qtports.moc"
