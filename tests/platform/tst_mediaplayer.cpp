#include "platform/qt/QtMediaPlayer.h"

#include <QAudioOutput>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace tv;

namespace {

constexpr int kEndMs = 5000; // far more than any test file lasts

QList<Drive> rootDrive() {
    return {Drive{QStringLiteral("Z"), QStringLiteral("/")}};
}

QString data(const QString &name) {
    return QStringLiteral("Z:") + QStringLiteral(TV_TEST_DATA) + QLatin1Char('/') + name;
}

// Every state the player reports, checked as it arrives: the argument is the
// state the player reads at that moment, and no state is reported twice running.
struct Recorder {
    explicit Recorder(MediaPlayer &player) {
        QObject::connect(&player, &MediaPlayer::PlayStateChange, &player, [&, this](int state) {
            if (state != player.playState())
                faults << QStringLiteral("reported %1 while playState is %2")
                              .arg(state)
                              .arg(player.playState());
            if (!states.isEmpty() && states.last() == state)
                faults << QStringLiteral("%1 reported twice").arg(state);
            states << state;
        });
    }
    int count(int state) const { return int(states.count(state)); }
    QList<int> states;
    QStringList faults;
};

// Waits for the song started after the first `from` reports to end. A short
// song may be over before anyone looks, so the reports tell whether it played:
// it must have been playing, and reported its end once, last.
QString playedToItsEnd(const MediaPlayer &player, const Recorder &rec, int from) {
    const bool ended =
        QTest::qWaitFor([&] { return player.playState() == MediaPlayer::Stopped; }, kEndMs);
    const QList<int> seen = rec.states.mid(from);
    const QString told = QStringLiteral(" (reported after the start:");
    QString list;
    for (int s : seen)
        list += QLatin1Char(' ') + QString::number(s);
    if (!ended)
        return QStringLiteral("did not end") + told + list + ')';
    if (!seen.contains(MediaPlayer::Playing) || seen.count(MediaPlayer::Stopped) != 1 ||
        seen.last() != MediaPlayer::Stopped)
        return QStringLiteral("did not play, then end once") + told + list + ')';
    return {};
}

} // namespace

class TestMediaPlayer : public QObject {
    Q_OBJECT
private slots:
    void startsEmpty() {
        DriveFileSystem fs(rootDrive());
        QtMediaPlayer player(fs);
        QCOMPARE(player.playState(), int(MediaPlayer::Undefined));
        QCOMPARE(player.audioOutput()->volume(), 1.0f);
        player.play();
        player.pause();
        QCOMPARE(player.playState(), int(MediaPlayer::Undefined));
    }

    void playsToItsEndAndReportsStoppedOnce() {
        DriveFileSystem fs(rootDrive());
        QtMediaPlayer player(fs);
        Recorder rec(player);
        player.setURL(data("tone-0.4s.mp3"));
        QCOMPARE(player.URL(), data("tone-0.4s.mp3"));
        QTRY_COMPARE_WITH_TIMEOUT(player.playState(), int(MediaPlayer::Stopped), kEndMs);
        QCOMPARE(rec.count(MediaPlayer::Playing), 1);
        QCOMPARE(rec.states.last(), int(MediaPlayer::Stopped));
        QCOMPARE(rec.states.indexOf(MediaPlayer::Stopped), rec.states.size() - 1);
        QVERIFY(player.currentPosition() > 0.2);
        player.pause(); // as a new song's start does first
        QCOMPARE(player.playState(), int(MediaPlayer::Stopped));
        // The engine settles after the end; none of that may count as a second end.
        QTest::qWait(300);
        QCOMPARE(rec.count(MediaPlayer::Stopped), 1);
        QVERIFY2(rec.faults.isEmpty(), qPrintable(rec.faults.join("; ")));
    }

    void pauseKeepsThePosition() {
        DriveFileSystem fs(rootDrive());
        QtMediaPlayer player(fs);
        Recorder rec(player);
        player.setURL(data("tone-3s.mp3"));
        QTRY_VERIFY_WITH_TIMEOUT(player.currentPosition() >= 0.5, kEndMs);
        player.pause();
        QCOMPARE(player.playState(), int(MediaPlayer::Paused));
        const double paused = player.currentPosition();
        QVERIFY(paused >= 0.5);
        player.play();
        QCOMPARE(player.playState(), int(MediaPlayer::Playing));
        QVERIFY(player.currentPosition() >= paused);
        QTRY_VERIFY_WITH_TIMEOUT(player.currentPosition() > paused, kEndMs);
        QCOMPARE(rec.count(MediaPlayer::Stopped), 0);
        QVERIFY2(rec.faults.isEmpty(), qPrintable(rec.faults.join("; ")));
    }

    void rewindThenPlayStartsOver() {
        DriveFileSystem fs(rootDrive());
        QtMediaPlayer player(fs);
        player.setURL(data("tone-3s.mp3"));
        QTRY_VERIFY_WITH_TIMEOUT(player.currentPosition() >= 1.5, kEndMs);
        // The Stop command of the program: pause and rewind.
        player.pause();
        player.setCurrentPosition(0);
        QCOMPARE(player.playState(), int(MediaPlayer::Paused));
        QTRY_VERIFY(player.currentPosition() < 0.5);
        player.play();
        QCOMPARE(player.playState(), int(MediaPlayer::Playing));
        QVERIFY(player.currentPosition() < 1.0);
    }

    void positionSetWhileLoadingIsKept() {
        DriveFileSystem fs(rootDrive());
        QtMediaPlayer player(fs);
        player.setURL(data("tone-3s.mp3"));
        player.pause();
        player.setCurrentPosition(2.0);
        QVERIFY(player.currentPosition() >= 1.9);
        // Where the engine really stands once the file is in.
        QTRY_VERIFY_WITH_TIMEOUT(player.engine()->position() >= 1900, kEndMs);
        QCOMPARE(player.playState(), int(MediaPlayer::Paused));
        QVERIFY(player.currentPosition() >= 1.9);
    }

    void stopReportsStoppedAndPlayStartsOver() {
        DriveFileSystem fs(rootDrive());
        QtMediaPlayer player(fs);
        Recorder rec(player);
        player.setURL(data("tone-3s.mp3"));
        QTRY_VERIFY_WITH_TIMEOUT(player.currentPosition() >= 0.5, kEndMs);
        player.stop();
        QCOMPARE(player.playState(), int(MediaPlayer::Stopped));
        QCOMPARE(rec.count(MediaPlayer::Stopped), 1);
        player.play();
        QTRY_COMPARE(player.playState(), int(MediaPlayer::Playing));
        QVERIFY(player.currentPosition() < 0.5);
        QVERIFY2(rec.faults.isEmpty(), qPrintable(rec.faults.join("; ")));
    }

    void newFileWhilePlayingIsNoEnd_data() {
        QTest::addColumn<bool>("pauseFirst");
        QTest::newRow("straight") << false;
        QTest::newRow("pause, load, play") << true;
    }
    void newFileWhilePlayingIsNoEnd() {
        QFETCH(bool, pauseFirst);
        DriveFileSystem fs(rootDrive());
        QtMediaPlayer player(fs);
        Recorder rec(player);
        player.setURL(data("tone-3s.mp3"));
        QTRY_COMPARE_WITH_TIMEOUT(player.playState(), int(MediaPlayer::Playing), kEndMs);
        if (pauseFirst)
            player.pause();
        const int from = rec.states.size();
        player.setURL(data("tone-0.4s.mp3"));
        QVERIFY(player.playState() == MediaPlayer::Transitioning ||
                player.playState() == MediaPlayer::Playing);
        if (pauseFirst)
            player.play();
        const QString fault = playedToItsEnd(player, rec, from);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
        QCOMPARE(rec.count(MediaPlayer::Stopped), 1);
        QVERIFY2(rec.faults.isEmpty(), qPrintable(rec.faults.join("; ")));
    }

    void sameFileAgainStartsOver_data() {
        QTest::addColumn<bool>("pauseFirst");
        QTest::newRow("while playing") << false;
        QTest::newRow("pause, load, play") << true;
    }
    void sameFileAgainStartsOver() {
        QFETCH(bool, pauseFirst);
        DriveFileSystem fs(rootDrive());
        QtMediaPlayer player(fs);
        Recorder rec(player);
        player.setURL(data("tone-3s.mp3"));
        QTRY_VERIFY_WITH_TIMEOUT(player.currentPosition() >= 1.5, kEndMs);
        if (pauseFirst)
            player.pause();
        player.setURL(data("tone-3s.mp3"));
        if (pauseFirst)
            player.play();
        QTRY_COMPARE_WITH_TIMEOUT(player.playState(), int(MediaPlayer::Playing), kEndMs);
        QVERIFY(player.currentPosition() < 1.0);
        QCOMPARE(rec.count(MediaPlayer::Stopped), 0);
        QTRY_COMPARE_WITH_TIMEOUT(player.playState(), int(MediaPlayer::Stopped), kEndMs);
        QVERIFY2(rec.faults.isEmpty(), qPrintable(rec.faults.join("; ")));
    }

    void sameFileAfterItsEndPlaysAgain() {
        DriveFileSystem fs(rootDrive());
        QtMediaPlayer player(fs);
        Recorder rec(player);
        player.setURL(data("tone-0.4s.mp3"));
        QTRY_COMPARE_WITH_TIMEOUT(player.playState(), int(MediaPlayer::Stopped), kEndMs);
        const int from = rec.states.size();
        player.setURL(data("tone-0.4s.mp3"));
        const QString fault = playedToItsEnd(player, rec, from);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
        QVERIFY2(rec.faults.isEmpty(), qPrintable(rec.faults.join("; ")));
    }

    void unplayableFileEndsAtOnce_data() {
        QTest::addColumn<QString>("url");
        QTest::newRow("missing") << data("no-such-file.mp3");
        QTest::newRow("garbage") << data("corrupt.mp3");
        QTest::newRow("unknown drive") << QStringLiteral("Q:/music/a.mp3");
    }
    void unplayableFileEndsAtOnce() {
        QFETCH(QString, url);
        DriveFileSystem fs(rootDrive());
        QtMediaPlayer player(fs);
        Recorder rec(player);
        QList<QMediaPlayer *> engines;
        connect(&player, &QtMediaPlayer::engineChanged, this,
                [&](QMediaPlayer *e) { engines << e; });
        player.setURL(url);
        QTRY_COMPARE_WITH_TIMEOUT(player.playState(), int(MediaPlayer::Stopped), kEndMs);
        QCOMPARE(rec.count(MediaPlayer::Stopped), 1);
        QCOMPARE(rec.count(MediaPlayer::Playing), 0);
        // A failed engine left "playing" blocks its next stop or load for a second.
        QCOMPARE(player.engine()->playbackState(), QMediaPlayer::StoppedState);
        if (!engines.isEmpty())
            QCOMPARE(engines.last(), player.engine());
        // The player is still good for the next song.
        player.stop();
        const int from = rec.states.size();
        player.setURL(data("tone-0.4s.mp3"));
        const QString fault = playedToItsEnd(player, rec, from);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
        QVERIFY2(rec.faults.isEmpty(), qPrintable(rec.faults.join("; ")));
    }

    void unplayableFileStopsTheSongBefore_data() {
        QTest::addColumn<QString>("url");
        QTest::newRow("missing") << data("no-such-file.mp3");
        QTest::newRow("unknown drive") << QStringLiteral("Q:/music/a.mp3");
    }
    void unplayableFileStopsTheSongBefore() {
        QFETCH(QString, url);
        DriveFileSystem fs(rootDrive());
        QtMediaPlayer player(fs);
        player.setURL(data("tone-3s.mp3"));
        QTRY_COMPARE_WITH_TIMEOUT(player.playState(), int(MediaPlayer::Playing), kEndMs);
        player.setURL(url);
        QVERIFY(player.playState() != MediaPlayer::Stopped);
        QVERIFY(player.engine()->source() != QUrl::fromLocalFile(TV_TEST_DATA "/tone-3s.mp3"));
        QTRY_COMPARE_WITH_TIMEOUT(player.playState(), int(MediaPlayer::Stopped), kEndMs);
        QCOMPARE(player.engine()->playbackState(), QMediaPlayer::StoppedState);
    }

    void playTriesAFailedFileAgain() {
        QTemporaryDir dir;
        DriveFileSystem fs(rootDrive());
        QtMediaPlayer player(fs);
        Recorder rec(player);
        const QString native = dir.filePath("later.mp3");
        player.setURL(fs.fromNative(native));
        QTRY_COMPARE_WITH_TIMEOUT(player.playState(), int(MediaPlayer::Stopped), kEndMs);
        QVERIFY(QFile::copy(QStringLiteral(TV_TEST_DATA "/tone-0.4s.mp3"), native));
        const int from = rec.states.size();
        player.play();
        const QString fault = playedToItsEnd(player, rec, from);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
    }
};

QTEST_GUILESS_MAIN(TestMediaPlayer)
#include "tst_mediaplayer.moc"
