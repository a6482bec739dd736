#include "platform/qt/QtMediaPlayer.h"
#include "ui/PlayerBar.h"

#include <QAudioOutput>
#include <QLabel>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QToolButton>

using namespace tv;
using tv::ui::PlayerBar;

namespace {

constexpr int kEndMs = 5000;

QList<Drive> rootDrive() {
    return {Drive{QStringLiteral("Z"), QStringLiteral("/")}};
}

QString data(const QString &name) {
    return QStringLiteral("Z:") + QStringLiteral(TV_TEST_DATA) + QLatin1Char('/') + name;
}

} // namespace

class TestPlayerBar : public QObject {
    Q_OBJECT
private slots:
    void timeText_data() {
        QTest::addColumn<qint64>("ms");
        QTest::addColumn<QString>("text");
        QTest::newRow("nothing") << qint64(0) << "0:00";
        QTest::newRow("under a second") << qint64(999) << "0:00";
        QTest::newRow("last second of a minute") << qint64(59999) << "0:59";
        QTest::newRow("a minute") << qint64(60000) << "1:00";
        QTest::newRow("long") << qint64(754000) << "12:34";
        QTest::newRow("over an hour stays minutes") << qint64(3723000) << "62:03";
        QTest::newRow("unknown (negative)") << qint64(-1) << "0:00";
    }
    void timeText() {
        QFETCH(qint64, ms);
        QFETCH(QString, text);
        QCOMPARE(PlayerBar::timeText(ms), text);
    }

    void volumeStartsFullAndFollowsTheSlider() {
        DriveFileSystem fs(rootDrive());
        QtMediaPlayer player(fs);
        PlayerBar bar(player);
        QCOMPARE(bar.volumeSlider()->value(), 100);
        bar.volumeSlider()->setValue(40);
        QCOMPARE(player.audioOutput()->volume(), 0.4f);
    }

    void controlsFitAboveTheTitlePanel() {
        DriveFileSystem fs(rootDrive());
        QtMediaPlayer player(fs);
        PlayerBar bar(player);
        bar.setFixedSize(464, 70);
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        const QList<QWidget *> controls = {bar.stopButton(), bar.seekSlider(), bar.volumeSlider(),
                                           bar.elapsedLabel(), bar.totalLabel()};
        for (QWidget *w : controls) {
            const QRect r(w->mapTo(&bar, QPoint(0, 0)), w->size());
            QVERIFY2(r.bottom() < 70 - 31, qPrintable(w->metaObject()->className()));
            QVERIFY2(r.right() < 464 && r.left() >= 0, qPrintable(w->metaObject()->className()));
            QVERIFY(w->isVisible());
        }
    }

    void stopButtonEndsTheSong() {
        DriveFileSystem fs(rootDrive());
        QtMediaPlayer player(fs);
        PlayerBar bar(player);
        bar.show();
        QSignalSpy states(&player, &MediaPlayer::PlayStateChange);
        player.setURL(data("tone-3s.mp3"));
        QTRY_COMPARE_WITH_TIMEOUT(player.playState(), int(MediaPlayer::Playing), kEndMs);
        QTRY_VERIFY(bar.totalLabel()->text() != "0:00");
        QVERIFY(bar.seekSlider()->isEnabled());
        QTest::mouseClick(bar.stopButton(), Qt::LeftButton);
        QCOMPARE(player.playState(), int(MediaPlayer::Stopped));
        QCOMPARE(states.count({QVariant(int(MediaPlayer::Stopped))}), 1);
    }

    void seekSliderMovesThePlayer() {
        DriveFileSystem fs(rootDrive());
        QtMediaPlayer player(fs);
        PlayerBar bar(player);
        player.setURL(data("tone-3s.mp3"));
        QTRY_VERIFY_WITH_TIMEOUT(bar.seekSlider()->maximum() > 2000, kEndMs);
        QTRY_COMPARE_WITH_TIMEOUT(player.playState(), int(MediaPlayer::Playing), kEndMs);
        player.pause();
        QCOMPARE(player.playState(), int(MediaPlayer::Paused));
        bar.seekSlider()->setValue(2000); // a click on the groove
        QTRY_VERIFY(player.currentPosition() >= 1.9);
        QCOMPARE(bar.elapsedLabel()->text(), QString("0:02"));
    }

    void barFollowsTheNewEngineAfterAFailedFile() {
        DriveFileSystem fs(rootDrive());
        QtMediaPlayer player(fs);
        PlayerBar bar(player);
        player.setURL(data("corrupt.mp3"));
        QTRY_COMPARE_WITH_TIMEOUT(player.playState(), int(MediaPlayer::Stopped), kEndMs);
        player.setURL(data("tone-3s.mp3"));
        QTRY_VERIFY_WITH_TIMEOUT(bar.totalLabel()->text() != "0:00", kEndMs);
        QTRY_VERIFY_WITH_TIMEOUT(bar.elapsedLabel()->text() == "0:01", kEndMs);
    }
};

QTEST_MAIN(TestPlayerBar)
#include "tst_playerbar.moc"
