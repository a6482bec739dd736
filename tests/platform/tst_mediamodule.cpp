// The media engine loaded from its module, as the program loads it: from the
// folder of the build it plays a file to its end; from a folder without the
// module the player stays silent and says nothing plays.
#include "platform/MediaPlayer.h"
#include "platform/qt/DriveFileSystem.h"
#include "platform/qt/MediaModule.h"
#include "platform/qt/QtMediaPlayer.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace tv;

namespace {

// Loaded when first needed, or prepared on a thread of its own beforehand as
// the program does.
MakeMediaBackend fromFolder(const QString &folder, bool prepared) {
    if (!prepared)
        return [folder](MediaBackendEvents events, double volume) {
            return loadMediaModule(folder, std::move(events), volume);
        };
    auto module = std::make_shared<PreparedMediaModule>(folder);
    module->startEngine();
    return [folder, module](MediaBackendEvents events, double volume) {
        return module->make(folder, std::move(events), volume);
    };
}

void preparedOrNot() {
    QTest::addColumn<bool>("prepared");
    QTest::newRow("loaded at the first song") << false;
    QTest::newRow("prepared beforehand") << true;
}

const QString kSong = QStringLiteral("Z:" TV_TEST_DATA "/tone-0.4s.mp3");

} // namespace

class TestMediaModule : public QObject {
    Q_OBJECT
    DriveFileSystem fs{{Drive{QStringLiteral("Z"), QStringLiteral("/")}}};

private slots:
    void theModulePlaysAFileToItsEnd_data() { preparedOrNot(); }
    void theModulePlaysAFileToItsEnd() {
        QFETCH(bool, prepared);
        QtMediaPlayer player(fs, fromFolder(QStringLiteral(TV_TEST_BUILD "/.."), prepared));
        player.setVolume(0.5);
        QSignalSpy states(&player, &MediaPlayer::PlayStateChange);
        QSignalSpy durations(&player, &QtMediaPlayer::durationMsChanged);
        player.setURL(kSong);
        QTRY_VERIFY_WITH_TIMEOUT(states.contains({QVariant(int(MediaPlayer::Playing))}), 5000);
        QTRY_COMPARE_WITH_TIMEOUT(player.playState(), int(MediaPlayer::Stopped), 5000);
        QVERIFY(!durations.isEmpty() && durations.last().at(0).toLongLong() > 300);
        QCOMPARE(player.volume(), 0.5);
    }

    void noModuleMeansSilenceNotACrash_data() { preparedOrNot(); }
    void noModuleMeansSilenceNotACrash() {
        QFETCH(bool, prepared);
        QTemporaryDir empty;
        QtMediaPlayer player(fs, fromFolder(empty.path(), prepared));
        player.setVolume(0.25);
        QSignalSpy states(&player, &MediaPlayer::PlayStateChange);
        player.setURL(kSong);
        player.play();
        player.setCurrentPosition(1);
        QCOMPARE(player.playState(), int(MediaPlayer::Stopped));
        QCOMPARE(player.URL(), kSong);
        QCOMPARE(player.volume(), 0.25);
        player.setVolume(0.75);
        QCOMPARE(player.volume(), 0.75);
        QCOMPARE(player.currentPosition(), 0.0);
        QTest::qWait(200);
        QVERIFY(states.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestMediaModule)
#include "tst_mediamodule.moc"
