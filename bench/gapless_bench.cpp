// Two halves of one sound, the second handed to the engine when it asks for
// the next song, recorded from a private sound server's null sink: the join
// must neither insert nor lose a sample, nor step further than the sound does
// nearby. Three runs; the figures of each are printed.
#include "JoinCheck.h"
#include "SoundServer.h"
#include "platform/MediaPlayer.h"
#include "platform/qt/gstreamer/PipelineBackend.h"
#include "platform/qt/gstreamer/SongPipeline.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>

using namespace tv;
using namespace tv::bench;

namespace {

constexpr int kRuns = 3;
constexpr double kSeconds = 4.0;

bool playBoth(const QString &folder, SoundServer &server, std::vector<int16_t> *recording) {
    const QString first = folder + "/first.mp3", second = folder + "/second.mp3";
    int state = MediaPlayer::Undefined;
    bool joined = false;
    std::unique_ptr<MediaBackend> engine;
    MediaBackendEvents events;
    events.stateChanged = [&](int s) { state = s; };
    events.positionChanged = [](qint64) {};
    events.durationChanged = [](qint64) {};
    events.volumeChanged = [](double) {};
    // Asked again near the second half's end: nothing follows it.
    events.aboutToFinish = [&] {
        if (!joined)
            engine->setNext(second, second);
    };
    events.nextStarted = [&](const QString &) { joined = true; };
    engine = makePipelineBackend(nullptr, events, 1.0);
    if (!engine)
        return false;
    server.drain();
    engine->setURL(first, first);
    const QDeadlineTimer deadline(int(kSeconds * 1000) + 10000);
    while (state != MediaPlayer::Stopped && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        server.collect(recording);
        QThread::msleep(2);
    }
    // The sink's last samples reach the monitor after the stream ends.
    for (int i = 0; i < 50; ++i) {
        QThread::msleep(10);
        server.collect(recording);
    }
    return joined && state == MediaPlayer::Stopped;
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir scratch;
    SoundServer server;
    const JoinCheck check(kSeconds);
    if (!scratch.isValid() || !server.start(scratch.path()) || !check.write(scratch.path())) {
        std::printf("gapless: no sound server or no lame\n");
        return 1;
    }
    bool sound = true;
    for (int run = 1; run <= kRuns; ++run) {
        std::vector<int16_t> recording;
        const bool played = playBoth(scratch.path(), server, &recording);
        const JoinCheck::Result r = check.measure(recording);
        if (!r.found) {
            std::printf("gapless run %d: %s, the halves not found in the recording\n", run,
                        played ? "joined" : "NOT joined");
            sound = false;
            continue;
        }
        std::printf("gapless run %d: %s, samples inserted %ld (lost %ld), step at the join %d, "
                    "largest step nearby %d\n",
                    run, played ? "joined" : "NOT joined", qMax(0L, r.inserted),
                    qMax(0L, -r.inserted), r.joinStep, r.nearbyStep);
        sound = sound && played && r.sound();
    }
    std::printf("gapless: %s\n", sound ? "sample-exact joins" : "MISSED");
    return sound ? 0 : 1;
}
