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

// Drive C of a test, counting what the program reads and writes.
class CountingFs : public DriveFileSystem {
public:
    using DriveFileSystem::DriveFileSystem;
    FileError readFile(const QString &path, QByteArray *data) const override {
        ++reads;
        return DriveFileSystem::readFile(path, data);
    }
    FileError writeFile(const QString &path, const QByteArray &data) override {
        writes << path;
        return DriveFileSystem::writeFile(path, data);
    }
    QStringList listFiles(const QString &dir, const QString &extension) const override {
        ++listings;
        return DriveFileSystem::listFiles(dir, extension);
    }
    mutable int reads = 0;
    mutable int listings = 0;
    QStringList writes;
};

// A window layer whose calls fail as a broken toolkit's would.
class ThrowingWindows : public FakeWindows {
public:
    void loadForma() override { throw std::runtime_error("no display"); }
    void startBanner() override { throw std::runtime_error("no browser"); }
};

// A fresh process started from the program folder C:/Tonvela.
struct StartEnv : LogicEnv {
    StartEnv() : counting({{"C", drives.native("C:/")}}) {
        P().fs = &counting;
        // Start-up fixes these itself; make sure it does.
        G().AppDir.clear();
        G().NumPesni = 7;
        G().PathSep = QStringLiteral("\\");
    }
    bool start() { return Main(drives.native(QStringLiteral("C:/Tonvela"))); }
    QString settings() { return "C:/Tonvela/" + QString::fromUtf8(kSettingsFileName); }
    void putSettings(const QByteArray &bytes) { drives.put(settings(), bytes); }

    CountingFs counting;
};

const QString kRuTitle = QString::fromUtf8("Тонвела для MP3");

} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void aSecondCopyReadsAndWritesNothing() {
        StartEnv env;
        env.guard.first = false;
        env.putSettings("[language]\r\n 1 \r\n");
        QVERIFY(!env.start());
        QCOMPARE(env.counting.reads + env.counting.listings + env.events.doEvents, 0);
        QVERIFY(env.counting.writes.isEmpty());
        QVERIFY(env.windows.calls.isEmpty() && env.tray.calls.isEmpty());
        QVERIFY(!frmForma().Visible());
    }

    void whatTheStartShows_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("trayArea");
        QTest::addColumn<QStringList>("albums");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<QString>("opened");
        QTest::addColumn<int>("messages");
        const QStringList none;
        QTest::newRow("first start in an empty folder")
            << QByteArray() << true << none << true << "" << 0;
        QTest::newRow("True") << QByteArray("[showform]\r\nTrue\r\n") << true << none << true << ""
                              << 0;
        QTest::newRow("False stays in the tray")
            << QByteArray("[showform]\r\nFalse\r\n") << true << none << false << "" << 0;
        QTest::newRow("anything but True")
            << QByteArray("[showform]\r\ntrue\r\n") << true << none << false << "" << 0;
        QTest::newRow("no notification area shows the window")
            << QByteArray("[showform]\r\nFalse\r\n") << false << none << true << "" << 0;
        const QByteArray gone("[nameendalbom]\r\nGone.alb\r\n");
        QTest::newRow("the only album, whatever the settings say")
            << gone << true << QStringList{"Only.alb"} << true << "Only.alb" << 0;
        QTest::newRow("the previous run's album")
            << gone << true << QStringList{"A.alb", "B.alb", "Gone.alb"} << true << "Gone.alb" << 0;
        QTest::newRow("a vanished album: the list takes the focus")
            << gone << true << QStringList{"A.alb", "B.alb"} << true << "" << 1;
    }
    void whatTheStartShows() {
        QFETCH(QByteArray, file);
        QFETCH(bool, trayArea);
        QFETCH(QStringList, albums);
        QFETCH(QString, opened);
        QFETCH(int, messages);
        StartEnv env;
        env.tray.hasArea = trayArea;
        for (const QString &album : albums)
            env.drives.put("C:/Tonvela/" + album, " 0 \r\n");
        if (!file.isEmpty())
            env.putSettings(file);
        QSignalSpy focus(&frmForma(), &Forma::focusRequested);
        // The window shows before the tray icon, and the albums are looked
        // for only after both.
        QStringList seen;
        std::function<void()> note = [&] {
            seen << QStringLiteral("%1|%2|%3")
                        .arg(env.windows.calls.join(','), env.tray.calls.join(','),
                             QString::number(env.counting.listings));
            env.events.pending = note;
        };
        env.events.pending = note;
        QVERIFY(env.start());
        QCOMPARE(seen.mid(0, 2),
                 QStringList({"loadForma,language:0,startBanner||0",
                              "loadForma,language:0,startBanner|add:" + kRuTitle + "|0"}));
        QCOMPARE(G().AppDir, "C:/Tonvela/");
        QCOMPARE(G().PathSep, "/");
        QCOMPARE(G().strDir, G().AppDir);
        if (opened.isEmpty())
            QCOMPARE(G().NumPesni, -1);
        QTEST(frmForma().Visible(), "shown");
        // What the next run will be told: hidden only where the tray can bring it back.
        QTEST(G().ShowForm, "shown");
        QCOMPARE(G().NameAlbom, opened);
        QCOMPARE(env.dialogs.msgs.size(), messages);
        QCOMPARE(frmForma().lstAlbomy.items(), albums.isEmpty() ? QStringList{"New"} : albums);
        QCOMPARE(env.windows.calls.contains("showAddFile"), albums.isEmpty());
        QCOMPARE(focus.first().first().value<Forma::Control>(), Forma::Control::PlayList);
        QCOMPARE(focus.last().first().value<Forma::Control>(),
                 messages ? Forma::Control::lstAlbomy : Forma::Control::PlayList);
        QVERIFY(env.counting.writes.isEmpty());
    }

    void aFailingStepDoesNotStopStartUp() {
        StartEnv env;
        ThrowingWindows windows;
        P().windows = &windows;
        // A folder where the settings file should be: it cannot be read.
        QDir().mkpath(env.drives.native(env.settings()));
        QVERIFY(env.start());
        QCOMPARE(G().strTitle, kRuTitle);
        QVERIFY(frmForma().Visible());
        QCOMPARE(env.tray.calls, QStringList({"add:" + kRuTitle}));
        QCOMPARE(frmForma().lstAlbomy.items(), QStringList({"New"}));
    }

    void aCloseWritesOnceAndEnds_data() {
        QTest::addColumn<bool>("visible");
        QTest::addColumn<int>("answer");   // to the save-changes question; 0: nothing changed
        QTest::addColumn<bool>("blocked"); // a folder where the settings file goes
        QTest::newRow("shown, nothing changed") << true << 0 << false;
        QTest::newRow("hidden to the tray") << false << 0 << false;
        QTest::newRow("changes not saved") << true << int(vbNo) << false;
        QTest::newRow("settings file cannot be written") << true << 0 << true;
        QTest::newRow("cancelled") << true << int(vbCancel) << false;
    }
    void aCloseWritesOnceAndEnds() {
        QFETCH(bool, visible);
        QFETCH(int, answer);
        QFETCH(bool, blocked);
        StartEnv env;
        G().AppDir = G().strDir = QStringLiteral("C:/Tonvela/");
        G().AlbomChanged = answer ? 1 : 0;
        G().ShowForm = !visible;
        env.dialogs.answers << answer;
        frmForma().setVisible(visible);
        if (blocked)
            QDir().mkpath(env.drives.native(env.settings()));
        env.player.setURL("C:/m/a.mp3");
        env.player.calls.clear();
        const bool closes = answer != vbCancel;
        // Everything is done before the run ends.
        env.events.pending = [&] {
            QCOMPARE(env.player.calls, QStringList({"stop"}));
            QCOMPARE(env.tray.calls, QStringList({"remove"}));
            QCOMPARE(env.events.ended, 0);
        };
        bool cancel = false;
        Form_QueryUnload(&cancel);
        QCOMPARE(cancel, !closes);
        QCOMPARE(env.dialogs.msgs.size(), answer ? 1 : 0);
        QCOMPARE(env.events.ended, int(closes));
        QCOMPARE(env.counting.writes, closes ? QStringList{env.settings()} : QStringList());
        QCOMPARE(G().ShowForm, closes ? visible : !visible);
        if (!closes)
            QVERIFY(env.player.calls.isEmpty() && env.tray.calls.isEmpty());
        else if (!blocked)
            QVERIFY(env.drives.get(env.settings())
                        .contains(visible ? "[showform]\r\nTrue\r\n" : "[showform]\r\nFalse\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
