#include "platform/qt/QtMediaPlayer.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace tv;

namespace {

constexpr int kEndMs = 5000; // far more than any test file lasts
constexpr int kPlaying = MediaPlayer::Playing, kPaused = MediaPlayer::Paused,
              kStopped = MediaPlayer::Stopped;

QString data(const QString &name) {
    return QStringLiteral("Z:" TV_TEST_DATA "/") + name;
}

// A real player and the states it reports. A report that repeats the last one
// or differs from what the player reads at that moment is marked with -1.
struct Rig {
    Rig() {
        QObject::connect(&player, &MediaPlayer::PlayStateChange, &player, [this](int state) {
            if (state != player.playState() || (!states.isEmpty() && states.last() == state))
                states << -1;
            states << state;
        });
    }
    // The reports from the `from`th on, leaving out "transitioning", once the
    // song has ended. A short song may be over before anyone looks, so its run
    // is read from these; one that never ends shows no "stopped" last.
    QString reports(int from, bool toEnd = true) const {
        if (toEnd)
            static_cast<void>(
                QTest::qWaitFor([this] { return player.playState() == kStopped; }, kEndMs));
        QStringList seen;
        for (int s : states.mid(from)) {
            if (s != MediaPlayer::Transitioning)
                seen << (s == kPlaying   ? QStringLiteral("playing")
                         : s == kPaused  ? QStringLiteral("paused")
                         : s == kStopped ? QStringLiteral("stopped")
                                         : QString::number(s));
        }
        return seen.join(' ');
    }
    // The engine may run a little while the file still counts as loading.
    bool playingAt(double seconds) const {
        return player.playState() == kPlaying && player.currentPosition() >= seconds;
    }
    DriveFileSystem fs{{Drive{QStringLiteral("Z"), QStringLiteral("/")}}};
    QtMediaPlayer player{fs};
    QList<int> states;
};

} // namespace

class TestMediaPlayer : public QObject {
    Q_OBJECT
private slots:
    void playsToItsEndAndReportsStoppedOnce() {
        Rig rig;
        rig.player.setURL(data("tone-0.4s.mp3"));
        QCOMPARE(rig.reports(0), QString("playing stopped"));
        QVERIFY(rig.player.currentPosition() > 0.2);
        rig.player.pause(); // as a new song's start does first
        // The engine settles after the end; none of that may count as a second end.
        QTest::qWait(300);
        rig.player.setURL(data("tone-0.4s.mp3"));
        QCOMPARE(rig.reports(0), QString("playing stopped playing stopped"));
    }

    void pauseResumesAndRewindStartsOver() {
        Rig rig;
        rig.player.setURL(data("tone-3s.mp3"));
        QTRY_VERIFY_WITH_TIMEOUT(rig.playingAt(0.5), kEndMs);
        rig.player.pause();
        const double paused = rig.player.currentPosition();
        rig.player.play();
        QVERIFY(rig.player.currentPosition() >= paused);
        QTRY_VERIFY_WITH_TIMEOUT(rig.player.currentPosition() >= 1.5, kEndMs);
        // The Stop command of the program: pause and rewind.
        rig.player.pause();
        rig.player.setCurrentPosition(0);
        QTRY_VERIFY(rig.player.currentPosition() < 0.5);
        rig.player.play();
        QCOMPARE(rig.reports(0, false), QString("playing paused playing paused playing"));
    }

    void positionSetWhileLoadingIsKept() {
        Rig rig;
        rig.player.setURL(data("tone-3s.mp3"));
        rig.player.pause();
        rig.player.setCurrentPosition(2.0);
        QVERIFY(rig.player.currentPosition() >= 1.9);
        // Where the engine really stands once the file is in.
        QTRY_VERIFY_WITH_TIMEOUT(rig.player.engine()->position() >= 1900, kEndMs);
        QCOMPARE(rig.player.playState(), kPaused);
    }

    // Loading while a song plays, the way the program moves on.
    void loadWhilePlayingIsNoEnd_data() {
        QTest::addColumn<QString>("next");
        QTest::addColumn<bool>("pauseFirst");
        QTest::addColumn<double>("at"); // how far the song before is in
        QTest::newRow("new file") << "tone-0.4s.mp3" << false << 0.0;
        QTest::newRow("new file: pause, load, play") << "tone-0.4s.mp3" << true << 0.0;
        QTest::newRow("same file starts over") << "tone-3s.mp3" << false << 0.8;
        QTest::newRow("same file: pause, load, play") << "tone-3s.mp3" << true << 0.8;
    }
    void loadWhilePlayingIsNoEnd() {
        QFETCH(QString, next);
        QFETCH(bool, pauseFirst);
        QFETCH(double, at);
        Rig rig;
        rig.player.setURL(data("tone-3s.mp3"));
        QTRY_VERIFY_WITH_TIMEOUT(rig.playingAt(at), kEndMs);
        if (pauseFirst)
            rig.player.pause();
        const int from = rig.states.size();
        rig.player.setURL(data(next));
        const int state = rig.player.playState();
        QVERIFY(state == kPlaying || state == MediaPlayer::Transitioning);
        const bool playingOn = rig.states.size() == from; // the same song, not a word
        if (pauseFirst)
            rig.player.play();
        QVERIFY(rig.player.currentPosition() < 0.5);
        if (next == "tone-3s.mp3") // the rest of the song tells nothing more
            rig.player.setCurrentPosition(2.6);
        QCOMPARE(rig.reports(from), QString(playingOn ? "stopped" : "playing stopped"));
    }

    void unplayableFileEndsAtOnce_data() {
        QTest::addColumn<QString>("placed"); // what lies at the path at first
        QTest::addColumn<bool>("noDrive");
        QTest::addColumn<bool>("afterSong");
        QTest::newRow("missing") << "" << false << false;
        QTest::newRow("garbage") << "corrupt.mp3" << false << false;
        QTest::newRow("unknown drive") << "" << true << false;
        QTest::newRow("missing, after a song") << "" << false << true;
        QTest::newRow("unknown drive, after a song") << "" << true << true;
    }
    void unplayableFileEndsAtOnce() {
        QFETCH(QString, placed);
        QFETCH(bool, noDrive);
        QFETCH(bool, afterSong);
        QTemporaryDir dir;
        const QString native = dir.filePath("a.mp3");
        QVERIFY(placed.isEmpty() || QFile::copy(TV_TEST_DATA "/" + placed, native));
        Rig rig;
        if (afterSong) {
            rig.player.setURL(data("tone-3s.mp3"));
            QTRY_VERIFY_WITH_TIMEOUT(rig.playingAt(0), kEndMs);
        }
        const int from = rig.states.size();
        rig.player.setURL(noDrive ? QStringLiteral("Q:/music/a.mp3") : rig.fs.fromNative(native));
        // The song before stops now, with no end reported for it.
        QVERIFY(rig.player.playState() != kStopped);
        QVERIFY(rig.player.engine()->source() != QUrl::fromLocalFile(TV_TEST_DATA "/tone-3s.mp3"));
        QCOMPARE(rig.reports(from), QString("stopped"));
        // A failed engine left "playing" blocks its next stop or load for a second.
        QCOMPARE(rig.player.engine()->playbackState(), QMediaPlayer::StoppedState);
        // Play tries the file again (a drive may have come back); another file plays.
        const int again = rig.states.size();
        QFile::remove(native);
        QVERIFY(QFile::copy(TV_TEST_DATA "/tone-0.4s.mp3", native));
        if (noDrive)
            rig.player.setURL(data("tone-0.4s.mp3"));
        else
            rig.player.play();
        QCOMPARE(rig.reports(again), QString("playing stopped"));
    }
};

QTEST_GUILESS_MAIN(TestMediaPlayer)
#include "tst_mediaplayer.moc"
