// The real player, playing the short MP3 files of the tests, and its control
// bar.
#include "DirectMedia.h"
#include "Fakes.h"
#include "Id3Tag.h"
#include "JoinCheck.h"
#include "SoundServer.h"
#include "platform/qt/MediaModule.h"
#include "platform/qt/PlayerBar.h"
#include "platform/qt/QtMediaPlayer.h"

#include <QFile>
#include <QLabel>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QSlider>
#include <QTemporaryDir>
#include <QThread>
#include <QToolButton>
#include <QtEndian>

using namespace tv;
using tv::test::columns;

namespace {

constexpr int kEndMs = 5000; // far more than any test file lasts
constexpr int kPlaying = MediaPlayer::Playing, kPaused = MediaPlayer::Paused,
              kStopped = MediaPlayer::Stopped, kLoading = MediaPlayer::Transitioning;

QString data(const QString &name) {
    return QStringLiteral("Z:" TV_TEST_DATA "/") + name;
}

// The engine loaded from its module in the folder when first needed, or
// prepared on a thread of its own beforehand, as the program does.
MakeMediaBackend fromFolder(const QString &folder, bool prepared) {
    if (!prepared)
        return [folder](MediaBackendEvents events, double volume) {
            return loadMediaModule(folder, std::move(events), volume);
        };
    auto module = std::make_shared<PreparedMediaModule>(folder);
    module->startEngine();
    return [module](MediaBackendEvents events, double volume) {
        return module->make(std::move(events), volume);
    };
}

// A real player (its engine linked in unless made by the maker) and the
// states it reports. A report that repeats the last one or differs from what
// the player reads at that moment is marked with -1.
struct Rig {
    explicit Rig(MakeMediaBackend maker = {}) : player(fs, maker ? maker : media.maker()) {
        QObject::connect(&player, &MediaPlayer::PlayStateChange, &player, [this](int state) {
            if (state != player.playState() || (!states.isEmpty() && states.last() == state))
                states << -1;
            states << state;
        });
    }
    // The reports from the `from`th on, leaving out "transitioning", once the
    // song has ended. A short song may be over before anyone looks, so its run
    // is read from these.
    QString reports(int from) const {
        static_cast<void>(QTest::qWaitFor([&] { return player.playState() == kStopped; }, kEndMs));
        static const QStringList names = {"0", "stopped", "paused", "playing"};
        QStringList seen;
        for (int s : states.mid(from))
            if (s != kLoading)
                seen << names.value(s, QString::number(s));
        return seen.join(' ');
    }
    // The engine may run a little while the file still counts as loading.
    bool playingAt(double seconds) const {
        return player.playState() == kPlaying && player.currentPosition() >= seconds;
    }
    DriveFileSystem fs{{Drive{QStringLiteral("Z"), QStringLiteral("/")}}};
    test::DirectMedia media;
    QtMediaPlayer player;
    QList<int> states;
};

QByteArray mp3(const char *name) {
    QFile f(QStringLiteral(TV_TEST_DATA "/") + QLatin1String(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Silence as WAVE sound: 16-bit mono at 8 kHz.
QByteArray wave(int ms) {
    const quint32 data = quint32(ms) * 16;
    auto le = [](quint32 value, int bytes) {
        value = qToLittleEndian(value);
        return QByteArray(reinterpret_cast<const char *>(&value), bytes);
    };
    return "RIFF" + le(36 + data, 4) + "WAVEfmt " + le(16, 4) + le(1, 2) + le(1, 2) + le(8000, 4) +
           le(16000, 4) + le(2, 2) + le(16, 2) + "data" + le(data, 4) + QByteArray(int(data), '\0');
}

} // namespace

class TestMediaPlayer : public QObject {
    Q_OBJECT
private slots:
    // The engine from the module of the build: a volume set before it is
    // made holds, the song's length is told. Without LAME's frame that tells
    // it, the length is reckoned from the sound's bytes, never the tag's; a
    // song this short ends before it is reckoned at all. A file with other
    // sound inside still plays.
    void playsToItsEndAndReportsStoppedOnce_data() {
        columns<bool, QByteArray, bool>("prepared", "content", "lengthTold");
        const QByteArray tone = mp3("tone-0.4s.mp3");
        QTest::newRow("loaded at the first song") << false << tone << true;
        QTest::newRow("prepared beforehand") << true << tone << true;
        const QByteArray picture = test::id3v2Frame(3, "APIC", QByteArray(200000, 'p'));
        // Without the first frame: from where its header stands again (the test
        // songs' frames all have one header).
        const QByteArray sound = tone.mid(tone.indexOf(tone.first(4), 1));
        QTest::newRow("a tag larger than the sound")
            << true << test::id3v2(3, picture) + sound << false;
        QTest::newRow("wave sound in an MP3's name") << true << wave(400) << true;
    }
    void playsToItsEndAndReportsStoppedOnce() {
        QFETCH(bool, prepared);
        QFETCH(QByteArray, content);
        QFETCH(bool, lengthTold);
        test::TempDrives dir({"Z"});
        dir.put("Z:/a.mp3", content);
        Rig rig(fromFolder(QStringLiteral(TV_TEST_BUILD "/.."), prepared));
        rig.player.setVolume(0.5);
        QSignalSpy durations(&rig.player, &QtMediaPlayer::durationMsChanged);
        const QString song = rig.fs.fromNative(dir.native("Z:/a.mp3"));
        rig.player.setURL(song);
        QCOMPARE(rig.reports(0), QString("playing stopped"));
        QVERIFY(rig.player.currentPosition() > 0.2);
        for (const QList<QVariant> &told : std::as_const(durations))
            QVERIFY2(qAbs(told.at(0).toLongLong() - 400) < 100, qPrintable(told.at(0).toString()));
        QCOMPARE(!durations.isEmpty(), lengthTold);
        QCOMPARE(rig.player.volume(), 0.5);
        rig.player.pause(); // as a new song's start does first
        // The engine settles after the end; none of that may count as a second end.
        QTest::qWait(300);
        rig.player.setURL(song);
        QCOMPARE(rig.reports(0), QString("playing stopped playing stopped"));
    }

    // A position set while the file loads is kept; play goes on from where
    // it was paused; a rewind starts over.
    void positionPauseAndRewind() {
        Rig rig;
        rig.player.setURL(data("tone-3s.mp3"));
        rig.player.pause();
        rig.player.setCurrentPosition(1.0);
        QVERIFY(rig.player.currentPosition() >= 0.9);
        // Where the engine really stands once the file is in.
        QTRY_VERIFY_WITH_TIMEOUT(rig.media.backend()->pipelinePosition() >= 900, kEndMs);
        QCOMPARE(rig.player.playState(), kPaused);
        const int from = rig.states.size();
        rig.player.play();
        QVERIFY(rig.player.currentPosition() >= 0.9);
        QTRY_VERIFY_WITH_TIMEOUT(rig.player.currentPosition() >= 1.5, kEndMs);
        // The Stop command of the program: pause and rewind.
        rig.player.pause();
        rig.player.setCurrentPosition(0);
        QTRY_VERIFY(rig.player.currentPosition() < 0.5);
        rig.player.play();
        rig.player.setCurrentPosition(2.6); // the rest tells nothing more
        QCOMPARE(rig.reports(from), QString("playing paused playing stopped"));
    }

    // Loading while a song plays, the way the program moves on.
    void loadWhilePlayingIsNoEnd_data() {
        // same: the song playing again: it starts over
        columns<bool, bool>("same", "pauseFirst");
        QTest::newRow("new file") << false << false;
        QTest::newRow("new file: pause, load, play") << false << true;
        QTest::newRow("same file") << true << false;
        QTest::newRow("same file: pause, load, play") << true << true;
    }
    void loadWhilePlayingIsNoEnd() {
        QFETCH(bool, same);
        QFETCH(bool, pauseFirst);
        Rig rig;
        rig.player.setURL(data("tone-3s.mp3"));
        QTRY_VERIFY_WITH_TIMEOUT(rig.playingAt(same ? 0.8 : 0), kEndMs);
        if (pauseFirst)
            rig.player.pause();
        const int from = rig.states.size();
        rig.player.setURL(data(same ? "tone-3s.mp3" : "tone-0.4s.mp3"));
        QVERIFY(rig.player.playState() == kPlaying || rig.player.playState() == kLoading);
        const bool playingOn = rig.states.size() == from; // the same song, not a word
        if (pauseFirst)
            rig.player.play();
        QVERIFY(rig.player.currentPosition() < 0.5);
        if (same) // the rest of the song tells nothing more
            rig.player.setCurrentPosition(2.6);
        QCOMPARE(rig.reports(from), QString(playingOn ? "stopped" : "playing stopped"));
    }

    // Files given faster than the engine sets them up: the last plays, and no
    // end is reported on the way.
    void filesGivenDuringSetUpWait() {
        Rig rig;
        for (const char *name : {"tone-3s.mp3", "tone-0.8s.mp3", "tone-0.4s.mp3"})
            rig.player.setURL(data(name));
        QCOMPARE(rig.player.playState(), kLoading);
        QCOMPARE(rig.reports(0), QString("playing stopped"));
        QVERIFY(rig.player.durationMs() < 600);
    }

    // Without the module the player stays silent and says nothing plays.
    void noModuleMeansSilenceNotACrash_data() {
        QTest::addColumn<bool>("prepared");
        QTest::newRow("loaded at the first song") << false;
        QTest::newRow("prepared beforehand") << true;
    }
    void noModuleMeansSilenceNotACrash() {
        QFETCH(bool, prepared);
        QTemporaryDir empty;
        Rig rig(fromFolder(empty.path(), prepared));
        rig.player.setVolume(0.25);
        rig.player.setURL(data("tone-0.4s.mp3"));
        rig.player.play();
        rig.player.setCurrentPosition(1);
        QCOMPARE(rig.player.playState(), kStopped);
        QCOMPARE(rig.player.URL(), data("tone-0.4s.mp3"));
        QCOMPARE(rig.player.volume(), 0.25);
        rig.player.setVolume(0.75);
        QCOMPARE(rig.player.volume(), 0.75);
        QCOMPARE(rig.player.currentPosition(), 0.0);
        QTest::qWait(200);
        QVERIFY(rig.states.isEmpty());
    }

    // The program starts the engine before its window, and the window's
    // thread takes it over: the hand-over runs there once, whether asked for
    // while the engine starts or once it has.
    void readyRunsOnceInTheApplicationsThread() {
        PreparedMediaModule module(QStringLiteral(TV_TEST_BUILD "/.."));
        module.startEngine();
        QList<bool> whileStarting, once;
        const auto inApplication = [] { return QThread::currentThread() == qApp->thread(); };
        module.whenReady([&] { whileStarting << inApplication(); });
        QTRY_COMPARE(whileStarting, QList<bool>{true});
        module.whenReady([&] { once << inApplication(); });
        QTRY_COMPARE(once, QList<bool>{true});
        QTest::qWait(100);
        QCOMPARE(whileStarting.size() + once.size(), 2);
    }

    // A garbage file in a fresh player; nothing at the path, or no such drive,
    // while a song plays.
    void unplayableFileEndsAtOnce_data() {
        columns<QString>("what");
        for (const char *what : {"garbage", "missing", "no drive"})
            QTest::newRow(what) << QString(what);
    }
    void unplayableFileEndsAtOnce() {
        QFETCH(QString, what);
        const bool noDrive = what == "no drive", afterSong = what != "garbage";
        QTemporaryDir dir;
        const QString native = dir.filePath("a.mp3");
        QVERIFY(afterSong || QFile::copy(TV_TEST_DATA "/corrupt.mp3", native));
        Rig rig;
        if (afterSong) {
            // Sound flows: the engine has set the song up and takes the next.
            rig.player.setURL(data("tone-3s.mp3"));
            QTRY_VERIFY_WITH_TIMEOUT(rig.playingAt(0.2), kEndMs);
        }
        const int from = rig.states.size();
        rig.player.setURL(noDrive ? QStringLiteral("Q:/music/a.mp3") : rig.fs.fromNative(native));
        // The song before stops now, with no end reported for it.
        QVERIFY(rig.player.playState() != kStopped);
        QVERIFY(!noDrive || !rig.media.backend()->pipelineRunning());
        QCOMPARE(rig.reports(from), QString("stopped"));
        // The failed file leaves the pipeline stopped, free for the next.
        QVERIFY(!rig.media.backend()->pipelineRunning());
        // Play tries the file again (a drive may have come back); another file plays.
        QFile::remove(native);
        QVERIFY(QFile::copy(TV_TEST_DATA "/tone-0.4s.mp3", native));
        noDrive ? rig.player.setURL(data("tone-0.4s.mp3")) : rig.player.play();
        QCOMPARE(rig.reports(from), QString("stopped playing stopped"));
    }

    // The controls show above the title panel; volume, seek and stop drive the
    // player; after a file that failed, the bar follows the player's new engine.
    void barDrivesAndFollowsThePlayer() {
        Rig rig;
        QtMediaPlayer &player = rig.player;
        test::DirectMedia &media = rig.media;
        PlayerBar bar(player);
        bar.setFixedSize(464, 70);
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        // The title panel covers the lower 31 pixels of the bar.
        for (QWidget *w : QList<QWidget *>{bar.stopButton(), bar.seekSlider(), bar.volumeSlider(),
                                           bar.elapsedLabel(), bar.totalLabel()}) {
            const QRect r(w->mapTo(&bar, QPoint(0, 0)), w->size());
            QVERIFY2(w->isVisible() && r.left() >= 0 && r.right() < 464 && r.bottom() < 70 - 31,
                     w->metaObject()->className());
        }
        // The volume set before the engine is made reaches its sound output.
        QVERIFY(!media.backend());
        QCOMPARE(bar.volumeSlider()->value(), 100);
        bar.volumeSlider()->setValue(40);
        QCOMPARE(player.volume(), 0.4);
        // A volume set through the player (the desktop's controls) moves the
        // slider and is not rounded to the slider's percent on the way back.
        QSignalSpy volumes(&player, &MediaPlayer::volumeChanged);
        player.setVolume(0.333);
        QCOMPARE(bar.volumeSlider()->value(), 33);
        QCOMPARE(player.volume(), 0.333);
        QCOMPARE(volumes.size(), 1);
        player.setURL(data("corrupt.mp3"));
        QCOMPARE(media.backend()->volume(), 0.333);
        media.backend()->setVolume(0.7);
        QCOMPARE(bar.volumeSlider()->value(), 70);
        QTRY_COMPARE_WITH_TIMEOUT(player.playState(), kStopped, kEndMs);
        QSignalSpy states(&player, &MediaPlayer::PlayStateChange);
        player.setURL(data("tone-3s.mp3"));
        QTRY_VERIFY_WITH_TIMEOUT(bar.seekSlider()->maximum() > 2000, kEndMs);
        QVERIFY(bar.totalLabel()->text() != "0:00");
        QTRY_COMPARE_WITH_TIMEOUT(player.playState(), kPlaying, kEndMs);
        player.pause();
        bar.seekSlider()->setValue(2000); // a click on the groove
        QTRY_VERIFY(media.backend()->pipelinePosition() >= 1900);
        QCOMPARE(bar.elapsedLabel()->text(), QString("0:02"));
        QTest::mouseClick(bar.stopButton(), Qt::LeftButton);
        QCOMPARE(player.playState(), kStopped);
        QCOMPARE(states.count({QVariant(kStopped)}), 1);
    }
    // Two halves of one sound, the second given when the player asks for it,
    // play as one: a recording of a private sound server shows not a sample
    // more or less where they meet, and no click; the player then holds the
    // second, and says so once. Given up at once, the second is not played.
    void joinsTheNextSongWithoutAGap_data() {
        columns<bool>("givenUp");
        QTest::newRow("joined") << false;
        QTest::newRow("given up") << true;
    }
    void joinsTheNextSongWithoutAGap() {
        QFETCH(bool, givenUp);
        QTemporaryDir scratch;
        bench::SoundServer server;
        const auto leave = qScopeGuard([] { qunsetenv("PULSE_SERVER"); });
        QVERIFY(server.start(scratch.path()));
        const bench::JoinCheck check(1.2);
        QVERIFY(check.write(scratch.path()));
        // A busy machine can drop or repeat a sample at the sink itself in one
        // take; a join that is not sample-exact shows in every take.
        constexpr int kTakes = 3;
        for (int take = 1;; ++take) {
            Rig rig;
            const QString second = "Z:" + scratch.path() + "/second.mp3";
            connect(
                &rig.player, &MediaPlayer::aboutToFinish, &rig.player,
                [&] {
                    rig.player.setNextURL(second);
                    if (givenUp)
                        rig.player.setNextURL(QString());
                },
                Qt::SingleShotConnection);
            QSignalSpy joined(&rig.player, &MediaPlayer::nextStarted);
            server.drain();
            rig.player.setURL("Z:" + scratch.path() + "/first.mp3");
            std::vector<int16_t> recording;
            QVERIFY(QTest::qWaitFor(
                [&] {
                    server.collect(&recording);
                    return rig.player.playState() == kStopped;
                },
                kEndMs));
            // The sink's last samples reach the recording after the song's end.
            QTest::qWait(300);
            server.collect(&recording);
            QCOMPARE(joined.count(), givenUp ? 0 : 1);
            const bench::JoinCheck::Result r = check.measure(recording);
            if (givenUp) {
                QVERIFY(!r.found);
                QVERIFY(rig.player.URL().endsWith("/first.mp3"));
                return;
            }
            QCOMPARE(rig.player.URL(), second);
            QVERIFY(r.found);
            if ((r.inserted != 0 || r.joinStep > r.nearbyStep) && take < kTakes)
                continue;
            QCOMPARE(r.inserted, 0L);
            QVERIFY2(r.joinStep <= r.nearbyStep,
                     qPrintable(QStringLiteral("%1 > %2").arg(r.joinStep).arg(r.nearbyStep)));
            return;
        }
    }
};

QTEST_MAIN(TestMediaPlayer)
#include "tst_mediaplayer.moc"
