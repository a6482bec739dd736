#include "DirectMedia.h"
#include "platform/qt/DriveFileSystem.h"
#include "platform/qt/PlayerBar.h"
#include "platform/qt/QtMediaPlayer.h"

#include <QLabel>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QToolButton>

using namespace tv;

constexpr int kEndMs = 5000;

class TestPlayerBar : public QObject {
    Q_OBJECT
    DriveFileSystem fs{{Drive{QStringLiteral("Z"), QStringLiteral("/")}}};

private slots:
    // The controls show above the title panel; volume, seek and stop drive the
    // player; after a file that failed, the bar follows the player's new engine.
    void barDrivesAndFollowsThePlayer() {
        test::DirectMedia media;
        QtMediaPlayer player(fs, media.maker());
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
        player.setURL(QStringLiteral("Z:" TV_TEST_DATA "/corrupt.mp3"));
        QCOMPARE(media.backend()->volume(), 0.333);
        media.backend()->setVolume(0.7);
        QCOMPARE(bar.volumeSlider()->value(), 70);
        QTRY_COMPARE_WITH_TIMEOUT(player.playState(), int(MediaPlayer::Stopped), kEndMs);
        QSignalSpy states(&player, &MediaPlayer::PlayStateChange);
        player.setURL(QStringLiteral("Z:" TV_TEST_DATA "/tone-3s.mp3"));
        QTRY_VERIFY_WITH_TIMEOUT(bar.seekSlider()->maximum() > 2000, kEndMs);
        QVERIFY(bar.totalLabel()->text() != "0:00");
        QTRY_COMPARE_WITH_TIMEOUT(player.playState(), int(MediaPlayer::Playing), kEndMs);
        player.pause();
        bar.seekSlider()->setValue(2000); // a click on the groove
        QTRY_VERIFY(media.backend()->pipelinePosition() >= 1900);
        QCOMPARE(bar.elapsedLabel()->text(), QString("0:02"));
        QTest::mouseClick(bar.stopButton(), Qt::LeftButton);
        QCOMPARE(player.playState(), int(MediaPlayer::Stopped));
        QCOMPARE(states.count({QVariant(int(MediaPlayer::Stopped))}), 1);
    }
};

QTEST_MAIN(TestPlayerBar)
#include "tst_playerbar.moc"
