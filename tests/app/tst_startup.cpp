#include "AlbumKit.h"

#include "app/Startup.h"
#include "core/AlbumFormat.h"
#include "core/Settings.h"
#include "core/Shutdown.h"
#include "playback/Mpris.h"

#include <QDir>
#include <QFileInfo>
#include <QSignalSpy>
#include <memory>
#include <stdexcept>

using namespace tv;
using namespace tv::test;

namespace {

// A window layer whose calls fail as a broken toolkit's would.
class ThrowingWindows : public FakeWindows {
public:
    void loadForma() override { throw std::runtime_error("no display"); }
    void startBanner() override { throw std::runtime_error("no browser"); }
};

// A fresh process started from the program folder C:/Tonvela.
struct StartEnv : LogicEnv {
    StartEnv() : counting(*this) {
        // Start-up fixes these itself; make sure it does.
        G().AppDir.clear();
        G().NumPesni = 7;
        G().PathSep = QStringLiteral("\\");
    }
    bool start() { return Main(drives.native(QStringLiteral("C:/Tonvela"))); }
    QString settings() { return "C:/Tonvela/" + QString::fromUtf8(kSettingsFileName); }

    WatchedFs counting;
};

const QString kRuTitle = QString::fromUtf8("Тонвела для MP3");

} // namespace

class TestStartup : public QObject {
    Q_OBJECT
    std::unique_ptr<StartEnv> env;

private slots:
    void init() { env = std::make_unique<StartEnv>(); }
    void cleanup() { env.reset(); }

    void whatTheStartShows_data() {
        columns<QByteArray, bool, QString, bool, QString, int>("file", "trayArea", "albums",
                                                               "shown", "opened", "messages");
        const QByteArray hidden("[showform]\r\nFalse\r\n"), gone("[nameendalbom]\r\nGone.alb\r\n");
        row("first start in an empty folder", QByteArray(), true, "", true, "", 0);
        row("False stays in the tray", hidden, true, "", false, "", 0);
        row("no notification area shows the window", hidden, false, "", true, "", 0);
        row("the only album, not the remembered one", gone, true, "Only.alb", true, "Only.alb", 0);
        row("the previous run's album", gone, true, "A.alb|B.alb|Gone.alb", true, "Gone.alb", 0);
        row("a vanished album: the list takes the focus", gone, true, "A.alb|B.alb", true, "", 1);
    }
    void whatTheStartShows() {
        QFETCH(QByteArray, file);
        QFETCH(bool, trayArea);
        QFETCH(QString, albums);
        QFETCH(int, messages);
        env->tray.hasArea = trayArea;
        for (const QString &album : albums.split('|', Qt::SkipEmptyParts))
            env->drives.put("C:/Tonvela/" + album, " 0 \r\n");
        if (!file.isEmpty())
            env->drives.put(env->settings(), file);
        QSignalSpy focus(&frmForma(), &Forma::focusRequested);
        // The window shows before the tray icon, and the albums are looked
        // for only after both.
        QStringList seen;
        std::function<void()> note = [&] {
            seen << env->windows.calls.join(',') + '|' + env->tray.calls.join(',') + '|' +
                        QString::number(env->counting.listings);
            env->events.pending = note;
        };
        env->events.pending = note;
        QVERIFY(env->start());
        const QString window = "loadForma,language:0,startBanner|";
        QCOMPARE(seen.mid(0, 2), QStringList({window + "|0", window + "add:" + kRuTitle + "|0"}));
        QCOMPARE(G().AppDir + ' ' + G().PathSep + ' ' + G().strDir, "C:/Tonvela/ / C:/Tonvela/");
        QFETCH(QString, opened);
        if (opened.isEmpty())
            QCOMPARE(G().NumPesni, -1);
        QTEST(frmForma().Visible(), "shown");
        // What the next run will be told: hidden only where the tray can bring it back.
        QTEST(G().ShowForm, "shown");
        QCOMPARE(G().NameAlbom, opened);
        QCOMPARE(env->dialogs.msgs.size(), messages);
        QCOMPARE(frmForma().lstAlbomy.items().join('|'), albums.isEmpty() ? "New" : albums);
        QCOMPARE(env->windows.calls.contains("showAddFile"), albums.isEmpty());
        QCOMPARE(focus.last().first().value<Forma::Control>(),
                 messages ? Forma::Control::lstAlbomy : Forma::Control::PlayList);
        QVERIFY(env->counting.writes.isEmpty());
    }

    // Files given to open join the album as a drop does and the first added
    // plays (or the first given the album holds); no browser opens over them.
    // A second copy hands them over and reads, writes and shows nothing; a
    // file that is not there and an unusable user's folder are said.
    void filesGivenToOpen_data() {
        columns<QString, QString, int, QString, int, int, int>("album", "given", "copy", "rows",
                                                               "playing", "changed", "said");
        const QString a("aC:/Music/a.mp3"), b("bC:/Music/b.mp3");
        row("first start", QString(), QString("C:/Music/a.mp3"), 1, QString("1.a"), 0, 1, 0);
        row("added to the reopened album", a, QString("C:/Music"), 1, QString("1.a;2.b"), 1, 1, 0);
        row("held already", a + '|' + b, QString("C:/Music/b.mp3"), 1, QString("1.a;2.b"), 1, 0, 0);
        row("a missing file is said", a, QString("C:/Music/gone.mp3"), 1, QString("1.a"), 0, 0, 1);
        row("a second copy hands them over", QString(), QString("C:/Music/a.mp3"), 2, QString(), -1,
            0, 0);
        row("the user's folder cannot be written", QString(), QString("C:/Music/a.mp3"), 0,
            QString(), -1, 0, 1);
    }
    void filesGivenToOpen() {
        QFETCH(QString, album);
        QFETCH(QString, given);
        QFETCH(int, copy); // 1: the first, 2: a later one, 0: the first, user's folder unusable
        env->drives.put("C:/Music/a.mp3");
        env->drives.put("C:/Music/b.mp3");
        if (!album.isEmpty())
            env->drives.put("C:/Tonvela/Only.alb", albumFile(" 2 ", album.split('|')));
        env->guard.first = copy != 2;
        env->drives.put(env->settings(), "[language]\r\n 1 \r\n");
        // The user's files apart from the program's.
        const StartFolders folders{env->drives.native("C:/Program"),
                                   env->drives.native("C:/Tonvela"), env->drives.native("C:/Music"),
                                   copy != 0};
        QCOMPARE(Main(folders, {env->drives.native(given)}), copy == 1);
        QTEST(playListRows().join(';'), "rows");
        QTEST(G().AlbomChanged, "changed");
        QVERIFY(!env->windows.calls.contains("showAddFile"));
        QCOMPARE(env->guard.handed, env->drives.native("C:/Tonvela") + '|' +
                                        env->drives.native(given) +
                                        (copy == 1 ? "|started up" : ""));
        QTEST(int(env->dialogs.msgs.size()), "said");
        if (copy == 1) {
            QTEST(G().NumPesni, "playing");
            QCOMPARE(G().AppDir + ' ' + G().ProgramDir + ' ' + G().strDir,
                     "C:/Tonvela/ C:/Program/ C:/Music/");
        } else {
            QCOMPARE(G().Language, 0);
            QCOMPARE(env->counting.listings + env->counting.writes.size() + env->events.doEvents,
                     0);
            QVERIFY(env->windows.calls.isEmpty() && env->tray.calls.isEmpty());
            QVERIFY(!frmForma().Visible());
        }
    }

    // Something where the settings file should be that cannot be read, or
    // must not be: the defaults stay, and a FIFO or a device holds nothing up.
    void aFailingStepDoesNotStopStartUp_data() {
        columns<QString>("settings");
        row("a folder", QString());
        row("a FIFO", QString("fifo"));
        row("a link to /dev/zero", QString("/dev/zero"));
        row("past the cap", QString::number(kSmallFileLimit + 1) + " bytes");
    }
    void aFailingStepDoesNotStopStartUp() {
        QFETCH(QString, settings);
        ThrowingWindows windows;
        P().windows = &windows;
        if (settings.isEmpty())
            QDir().mkpath(env->drives.native(env->settings()));
        else
            env->drives.putOdd(env->settings(), settings);
        QVERIFY(env->start());
        QCOMPARE(G().strTitle, kRuTitle);
        QVERIFY(frmForma().Visible());
        QCOMPARE(env->tray.calls, QStringList({"add:" + kRuTitle}));
        QCOMPARE(frmForma().lstAlbomy.items(), QStringList({"New"}));
    }

    void aCloseWritesOnceAndEnds_data() {
        // answer: to the save-changes question, 0: nothing changed; blocked: a
        // folder where the settings file goes; way: the window's close, a
        // signal (no one to ask), the session's end with or without leave to ask.
        columns<bool, int, bool, QString>("visible", "answer", "blocked", "way");
        row("hidden to the tray", false, 0, false, QString("close"));
        row("changes not saved", true, int(vbNo), false, QString("close"));
        row("settings file cannot be written", true, 0, true, QString("close"));
        row("cancelled", true, int(vbCancel), false, QString("close"));
        row("a signal leaves changes unsaved unasked", true, int(vbCancel), false,
            QString("signal"));
        row("a signal while hidden", false, 0, false, QString("signal"));
        row("a logout asks and is cancelled", true, int(vbCancel), false, QString("session"));
        row("a logout asks, changes not saved", true, int(vbNo), false, QString("session"));
        row("a logout that allows no question", true, int(vbCancel), false,
            QString("session, no questions"));
        row("a logout with nothing to ask", false, 0, false, QString("session"));
    }
    void aCloseWritesOnceAndEnds() {
        QFETCH(bool, visible);
        QFETCH(int, answer);
        QFETCH(bool, blocked);
        QFETCH(QString, way);
        G().AppDir = G().strDir = QStringLiteral("C:/Tonvela/");
        G().AlbomChanged = answer ? 1 : 0;
        G().ShowForm = !visible;
        env->dialogs.answers << answer;
        frmForma().setVisible(visible);
        if (blocked)
            QDir().mkpath(env->drives.native(env->settings()));
        env->player.force(MediaPlayer::Playing);
        const bool asked = answer && (way == "close" || way == "session");
        const bool closes = !asked || answer != vbCancel;
        // Everything is done before the run ends; the question's own loop
        // comes before that.
        std::function<void()> atTheEnd = [&] {
            if (env->events.doEvents == 0) {
                env->events.pending = atTheEnd;
                return;
            }
            QCOMPARE(env->player.calls, QStringList({"stop"}));
            QCOMPARE(env->tray.calls, QStringList({"remove"}));
            QCOMPARE(env->events.ended, 0);
        };
        env->events.pending = atTheEnd;
        bool cancel = false;
        int leaveAsked = 0;
        const auto mayAsk = [&] { return ++leaveAsked, way == "session"; };
        if (way == "close")
            Form_QueryUnload(&cancel);
        else if (way == "signal")
            CloseUnaskedM();
        else
            SessionEndM(mayAsk, &cancel);
        QCOMPARE(cancel, !closes);
        // Leave to ask is asked of the session only for a question.
        QCOMPARE(leaveAsked, int(way.startsWith("session") && answer));
        QCOMPARE(env->dialogs.msgs.size(), int(asked));
        QCOMPARE(env->events.ended, int(closes));
        const QStringList written{env->settings(), songPositionPath()};
        QCOMPARE(env->counting.writes, closes ? written : QStringList());
        QCOMPARE(G().ShowForm, closes ? visible : !visible);
        if (!closes)
            QVERIFY(env->player.calls.isEmpty() && env->tray.calls.isEmpty());
        else if (!blocked) // the file tells how the window was left
            QVERIFY(env->drives.get(env->settings())
                        .contains(visible ? "[showform]\r\nTrue\r\n" : "[showform]\r\nFalse\r\n"));
    }

    // A run ends with song 1 of the only album at a position; the next run
    // goes on there, unless the song was near its end, the file was spoilt
    // (or replaced by what must not be read) or the song is gone.
    void theNextRunResumes_data() {
        // resumed: the player's seek in the next run, if any; odd: what
        // replaces the file.
        columns<double, QByteArray, QString, bool, QString>("at", "spoilt", "odd", "songGone",
                                                            "resumed");
        const QString none;
        row("in the middle", 61.5, QByteArray(), none, false, "pos:61.5");
        row("at the very start", 0.0, QByteArray(), none, false, "pos:0");
        row("in the last five seconds", 176.0, QByteArray(), none, false, "");
        row("a spoilt file", 61.5, QByteArray("[position]\r\nA.alb\r\n x \r\n"), none, false, "");
        row("a file of earlier versions", 0.0,
            QByteArray("[position]\r\nA.alb\r\n 1 \r\nSong 1C:/Music/1.mp3\r\n 42000 \r\n"
                       " 180000 \r\n"),
            none, false, "pos:42");
        row("an album gone meanwhile", 61.5, QByteArray("gone"), none, false, "");
        row("a FIFO", 61.5, QByteArray(), QString("fifo"), false, "");
        row("a link to /dev/urandom", 61.5, QByteArray(), QString("/dev/urandom"), false, "");
        row("past the cap", 61.5, QByteArray(), QString::number(kSmallFileLimit + 1) + " bytes",
            false, "");
        row("the song is gone", 61.5, QByteArray(), none, true, "");
    }
    void theNextRunResumes() {
        QFETCH(double, at);
        QFETCH(QByteArray, spoilt);
        QFETCH(QString, odd);
        QFETCH(bool, songGone);
        const QStringList songs = env->songsOnDisk(3);
        env->drives.put("C:/Tonvela/A.alb", albumFile(QStringLiteral(" 3 "), songs));
        env->drives.put(env->settings(), "[albom]\r\n 0 \r\nA.alb\r\n 1 \r\n");
        QVERIFY(env->start());
        env->player.know(180);
        env->player.setCurrentPosition(at);
        bool cancel = false;
        Form_QueryUnload(&cancel);
        if (spoilt == "gone") {
            // Its position is dropped with it at the next exit.
            QVERIFY(QFile::remove(env->drives.native("C:/Tonvela/A.alb")));
            resetGlobals();
            resetForma();
            QVERIFY(env->start());
            Form_QueryUnload(&cancel);
            QVERIFY(!env->drives.get(songPositionPath()).contains("A.alb"));
            env->drives.put("C:/Tonvela/A.alb", albumFile(QStringLiteral(" 3 "), songs));
        } else if (!spoilt.isEmpty())
            env->drives.put(songPositionPath(), spoilt);
        if (!odd.isEmpty()) {
            QVERIFY(QFile::remove(env->drives.native(songPositionPath())));
            env->drives.putOdd(songPositionPath(), odd);
        }
        if (songGone)
            QVERIFY(QFile::remove(env->drives.native(SongEntry::split(songs.at(1)).path)));
        // The next run: a fresh process with a player of its own.
        resetGlobals();
        resetForma();
        FakePlayer player;
        P().player = &player;
        QVERIFY(env->start());
        QTEST(player.calls.filter("pos:").join(' '), "resumed");
        QCOMPARE(env->dialogs.msgs.size(), songGone ? 1 : 0);
        // The remote control tells the same place.
        QFETCH(QString, resumed);
        if (!resumed.isEmpty())
            QCOMPARE(Mpris().position(), qint64(resumed.mid(4).toDouble() * 1e6));
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
