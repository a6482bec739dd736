#include "Fakes.h"
#include "core/Forma.h"
#include "core/Globals.h"
#include "core/SettingsFile.h"
#include "core/Startup.h"

#include <QDir>
#include <QSignalSpy>
#include <QTest>
#include <stdexcept>

using namespace tv;
using namespace tv::test;

namespace {

// The drives of a test, counting what the program reads and writes.
class CountingFs : public FileSystem {
public:
    explicit CountingFs(FileSystem &inner) : m_inner(inner) {}
    QStringList drives() const override { return m_inner.drives(); }
    bool fileExists(const QString &path) const override { return m_inner.fileExists(path); }
    FileError readFile(const QString &path, QByteArray *data) const override {
        ++reads;
        return m_inner.readFile(path, data);
    }
    FileError writeFile(const QString &path, const QByteArray &data) override {
        writes << path;
        return m_inner.writeFile(path, data);
    }
    QStringList listFiles(const QString &dir, const QString &extension) const override {
        ++listings;
        return m_inner.listFiles(dir, extension);
    }
    QString toNative(const QString &path) const override { return m_inner.toNative(path); }
    QString fromNative(const QString &native) const override { return m_inner.fromNative(native); }

    mutable int reads = 0;
    mutable int listings = 0;
    QStringList writes;

private:
    FileSystem &m_inner;
};

// A window layer whose calls fail as a broken toolkit's would.
class ThrowingWindows : public FakeWindows {
public:
    void loadForma() override { throw std::runtime_error("no display"); }
    void startBanner() override { throw std::runtime_error("no browser"); }
};

// A fresh process started from the program folder C:/Tonvela.
struct StartEnv : LogicEnv {
    StartEnv() : counting(drives.fs()) {
        P().fs = &counting;
        // Start-up fixes these itself; make sure it does.
        G().AppDir.clear();
        G().strDir.clear();
        G().NumPesni = 7;
        G().FoundUB = 3;
        G().PathSep = QStringLiteral("\\");
    }
    QString exeDir() { return drives.native(QStringLiteral("C:/Tonvela")); }
    QString settings() {
        return QStringLiteral("C:/Tonvela/") + QString::fromUtf8(kSettingsFileName);
    }
    void putSettings(const QByteArray &bytes) { drives.put(settings(), bytes); }
    QByteArray settingsBytes() { return drives.get(settings()); }

    CountingFs counting;
};

const QString kRuTitle = QString::fromUtf8("Тонвела для MP3");

} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void firstStartInAnEmptyFolder() {
        StartEnv env;
        QVERIFY(Main(env.exeDir()));

        QCOMPARE(G().AppDir, QStringLiteral("C:/Tonvela/"));
        QCOMPARE(G().PathSep, QStringLiteral("/"));
        QCOMPARE(G().strDir, G().AppDir);
        QCOMPARE(G().NumPesni, -1);
        QCOMPARE(G().FoundUB, -1);
        QVERIFY(G().ShowForm);
        QVERIFY(frmForma().Visible());
        QCOMPARE(G().strTitle, kRuTitle);
        QCOMPARE(env.tray.calls, QStringList({"add:" + kRuTitle}));
        QCOMPARE(env.windows.calls,
                 QStringList({"loadForma", "language:0", "startBanner", "showAddFile"}));
        QCOMPARE(frmForma().lstAlbomy.items(), QStringList({"New"}));
        QVERIFY(frmForma().ListPath.isEmpty());
        QVERIFY(env.counting.writes.isEmpty());
        QVERIFY(env.dialogs.msgs.isEmpty());
    }

    void theStepsComeInTheirOrder() {
        StartEnv env;
        env.putSettings("[language]\r\n 1 \r\n");
        QSignalSpy focus(&frmForma(), &Forma::focusRequested);
        bool firstSeen = false, secondSeen = false;
        env.events.pending = [&] {
            firstSeen = true;
            QCOMPARE(env.windows.calls, QStringList({"loadForma", "language:1", "startBanner"}));
            QVERIFY(frmForma().Visible());
            QVERIFY(env.tray.calls.isEmpty());
            QVERIFY(focus.isEmpty());
            env.events.pending = [&] {
                secondSeen = true;
                QCOMPARE(env.tray.calls, QStringList({"add:Tonvela for MP3"}));
                QVERIFY(focus.isEmpty());
                QCOMPARE(env.counting.listings, 0);
            };
        };
        QVERIFY(Main(env.exeDir()));
        QVERIFY(firstSeen && secondSeen);
        QVERIFY(!focus.isEmpty());
        QCOMPARE(focus.first().first().value<Forma::Control>(), Forma::Control::PlayList);
        QCOMPARE(env.counting.listings, 1);
    }

    void showingOrHiding_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<bool>("trayArea");
        QTest::addColumn<bool>("shown");
        QTest::newRow("True") << QByteArray("True") << true << true;
        QTest::newRow("False stays in the tray") << QByteArray("False") << true << false;
        QTest::newRow("anything but True") << QByteArray("true") << true << false;
        QTest::newRow("no notification area shows the window")
            << QByteArray("False") << false << true;
    }
    void showingOrHiding() {
        QFETCH(QByteArray, line);
        QFETCH(bool, trayArea);
        QFETCH(bool, shown);
        StartEnv env;
        env.tray.hasArea = trayArea;
        env.putSettings("[showform]\r\n" + line + "\r\n");
        QVERIFY(Main(env.exeDir()));
        QCOMPARE(frmForma().Visible(), shown);
        // What the next run will be told: hidden only where the tray can bring it back.
        QCOMPARE(G().ShowForm, shown);
        QCOMPARE(env.tray.calls, QStringList({"add:" + kRuTitle}));
    }

    void aSecondCopyReadsAndWritesNothing() {
        StartEnv env;
        env.guard.first = false;
        env.putSettings("[language]\r\n 1 \r\n");
        QVERIFY(!Main(env.exeDir()));
        QCOMPARE(env.counting.reads, 0);
        QCOMPARE(env.counting.listings, 0);
        QVERIFY(env.counting.writes.isEmpty());
        QVERIFY(env.windows.calls.isEmpty());
        QVERIFY(env.tray.calls.isEmpty());
        QCOMPARE(env.events.doEvents, 0);
        QCOMPARE(G().Language, 0);
        QVERIFY(!frmForma().Visible());
    }

    void theOnlyAlbumIsOpenedWhateverTheSettingsSay() {
        StartEnv env;
        env.drives.put("C:/Tonvela/Only.alb", " 0 \r\n");
        env.putSettings("[nameendalbom]\r\nGone.alb\r\n");
        QVERIFY(Main(env.exeDir()));
        QCOMPARE(frmForma().lstAlbomy.ListIndex(), 0);
        QCOMPARE(G().NameAlbom, QStringLiteral("Only.alb"));
        QVERIFY(env.dialogs.msgs.isEmpty());
        QVERIFY(!env.windows.calls.contains("showAddFile"));
    }

    void theAlbumOfThePreviousRunIsReopened() {
        StartEnv env;
        env.drives.put("C:/Tonvela/A.alb", " 0 \r\n");
        env.drives.put("C:/Tonvela/B.alb", " 0 \r\n");
        env.drives.put("C:/Tonvela/C.alb", " 0 \r\n");
        env.putSettings("[nameendalbom]\r\nB.alb\r\n");
        QSignalSpy focus(&frmForma(), &Forma::focusRequested);
        QVERIFY(Main(env.exeDir()));
        QCOMPARE(frmForma().lstAlbomy.ListIndex(), 1);
        QCOMPARE(G().NameAlbom, QStringLiteral("B.alb"));
        QCOMPARE(G().NumAlbom, 1);
        for (const QList<QVariant> &args : focus)
            QCOMPARE(args.first().value<Forma::Control>(), Forma::Control::PlayList);
        QVERIFY(!env.windows.calls.contains("showAddFile"));
    }

    void aVanishedAlbumLeavesTheListInFocus() {
        StartEnv env;
        env.drives.put("C:/Tonvela/A.alb", " 0 \r\n");
        env.drives.put("C:/Tonvela/B.alb", " 0 \r\n");
        env.putSettings("[nameendalbom]\r\nGone.alb\r\n");
        QSignalSpy focus(&frmForma(), &Forma::focusRequested);
        QVERIFY(Main(env.exeDir()));
        QCOMPARE(env.dialogs.msgs.size(), 1);
        QCOMPARE(env.dialogs.msgs.first().prompt, G().strNotFound);
        QVERIFY(G().NameAlbom.isEmpty());
        QCOMPARE(focus.last().first().value<Forma::Control>(), Forma::Control::lstAlbomy);
        QCOMPARE(frmForma().lstAlbomy.items(), QStringList({"A.alb", "B.alb"}));
        QVERIFY(!env.windows.calls.contains("showAddFile"));
    }

    void aFailingStepDoesNotStopStartUp() {
        StartEnv env;
        ThrowingWindows windows;
        P().windows = &windows;
        // A folder where the settings file should be: it cannot be read.
        QDir().mkpath(env.drives.native(env.settings()));
        QVERIFY(Main(env.exeDir()));
        QCOMPARE(G().Language, 0);
        QCOMPARE(G().strTitle, kRuTitle);
        QVERIFY(frmForma().Visible());
        QCOMPARE(env.tray.calls, QStringList({"add:" + kRuTitle}));
        QCOMPARE(frmForma().lstAlbomy.items(), QStringList({"New"}));
        QVERIFY(env.dialogs.msgs.isEmpty());
    }

    void aCancelledCloseChangesNothing() {
        StartEnv env;
        G().AppDir = QStringLiteral("C:/Tonvela/");
        G().AlbomChanged = 1;
        G().ShowForm = false;
        frmForma().setVisible(true);
        env.dialogs.answers << vbCancel;
        bool cancel = false;
        Form_QueryUnload(&cancel);
        QVERIFY(cancel);
        QCOMPARE(env.dialogs.msgs.size(), 1);
        QVERIFY(env.counting.writes.isEmpty());
        QVERIFY(!env.drives.exists(env.settings()));
        QCOMPARE(env.events.ended, 0);
        QVERIFY(env.tray.calls.isEmpty());
        QVERIFY(env.player.calls.isEmpty());
        QVERIFY(!G().ShowForm);
    }

    void aCloseWritesOnceAndEnds_data() {
        QTest::addColumn<bool>("visible");
        QTest::addColumn<int>("changed");
        QTest::addColumn<int>("answer");
        QTest::newRow("shown, nothing changed") << true << 0 << 0;
        QTest::newRow("hidden to the tray") << false << 0 << 0;
        QTest::newRow("changes not saved") << true << 1 << int(vbNo);
    }
    void aCloseWritesOnceAndEnds() {
        QFETCH(bool, visible);
        QFETCH(int, changed);
        QFETCH(int, answer);
        StartEnv env;
        G().AppDir = QStringLiteral("C:/Tonvela/");
        G().strDir = QStringLiteral("E:/Music/");
        G().AlbomChanged = changed;
        if (answer)
            env.dialogs.answers << answer;
        frmForma().setVisible(visible);
        env.player.setURL("C:/m/a.mp3");
        env.player.calls.clear();
        bool stepsDone = false;
        env.events.pending = [&] {
            stepsDone = true;
            QCOMPARE(env.counting.writes, QStringList({env.settings()}));
            QCOMPARE(env.player.calls, QStringList({"stop"}));
            QCOMPARE(env.tray.calls, QStringList({"remove"}));
            QCOMPARE(env.events.ended, 0);
        };
        bool cancel = false;
        Form_QueryUnload(&cancel);
        QVERIFY(!cancel);
        QVERIFY(stepsDone);
        QCOMPARE(env.events.ended, 1);
        QCOMPARE(env.counting.writes.size(), 1);
        QCOMPARE(G().ShowForm, visible);
        const QByteArray written = env.settingsBytes();
        QCOMPARE(written, writeSettings());
        QVERIFY(written.contains(visible ? "[showform]\r\nTrue\r\n" : "[showform]\r\nFalse\r\n"));
    }

    void anUnwritableSettingsFileStillEnds() {
        StartEnv env;
        G().AppDir = QStringLiteral("C:/Tonvela/");
        QDir().mkpath(env.drives.native(env.settings()));
        Form_QueryUnload(nullptr);
        QCOMPARE(env.events.ended, 1);
        QCOMPARE(env.tray.calls, QStringList({"remove"}));
        QVERIFY(env.dialogs.msgs.isEmpty());
    }

    // A run that changes nothing leaves the file as it found it.
    void aStartAndCloseKeepsTheFile() {
        StartEnv env;
        env.drives.put("C:/Tonvela/A.alb", " 0 \r\n");
        const QByteArray file("[language]\r\n 1 \r\n[albom]\r\n 0 \r\nA.alb\r\n-1 \r\n"
                              "[showform]\r\nTrue\r\n[musicnonstop]\r\nTrue\r\n"
                              "[nameendalbom]\r\nA.alb\r\n[namepesni]\r\n 1 \r\n"
                              "[strDir]\r\nE:/Music, old/\r\n");
        env.putSettings(file);
        QVERIFY(Main(env.exeDir()));
        QVERIFY(frmForma().MusicNonStop.Checked());
        QVERIFY(frmForma().pMenuNonStop.Checked());
        Form_QueryUnload(nullptr);
        QCOMPARE(env.settingsBytes(), file);
    }

    void exitAsksTheWindowToClose_data() {
        QTest::addColumn<bool>("tray");
        QTest::newRow("File > Exit") << false;
        QTest::newRow("tray > Exit") << true;
    }
    void exitAsksTheWindowToClose() {
        QFETCH(bool, tray);
        StartEnv env;
        QSignalSpy unload(&frmForma(), &Forma::unloadRequested);
        tray ? pMenuExit_Click() : FileExit_Click();
        QCOMPARE(unload.size(), 1);
        QVERIFY(env.counting.writes.isEmpty());
        QCOMPARE(env.events.ended, 0);
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
