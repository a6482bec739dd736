// Times reading and writing large albums: the file, the playlist display and
// the selection of the remembered song. Goals, on the medians of the rounds:
// an album opens in at most half a second per 100,000 songs, and saves in at
// most 3.5 times the time of writing its bytes to a file straight (a
// temporary file renamed over the album; 1.6-3.1x on a busy 2-core machine).
// Run: tonvela_album_bench [sizes...]

#include "BenchSupport.h"
#include "core/AlbumCommands.h"
#include "core/AlbumFormat.h"
#include "core/Forma.h"
#include "core/Globals.h"
#include "platform/Ports.h"
#include "platform/qt/DriveFileSystem.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

using namespace tv;

namespace {

constexpr int kRounds = 7;
constexpr double kOpenMsPerSong = 500.0 / 100000;
constexpr double kSaveToPlain = 3.5;

// Saved as a new album each time: over an album that is not the open one,
// the save would first ask.
double saveMs(const QString &nativeAppDir, const QString &name, const QStringList &songs) {
    Forma &f = frmForma();
    f.ListPath = songs;
    f.PlayList.rebuild();
    G().NameAlbom.clear();
    QFile::remove(nativeAppDir + QLatin1Char('/') + name);
    return bench::msOf([&] { SaveFileM(name); });
}

// The same bytes written straight to a file.
double plainMs(const QString &native, const QStringList &songs) {
    return bench::msOf([&] {
        QFile raw(native);
        if (!raw.open(QIODevice::WriteOnly) || raw.write(AlbumFormat::format(songs)) < 0)
            std::fprintf(stderr, "raw write failed\n");
    });
}

double openMs(const QString &name, bool *ok) {
    Forma &f = frmForma();
    f.ListPath.clear();
    f.PlayList.rebuild();
    f.lstAlbomy.setListIndex(int(f.lstAlbomy.items().indexOf(name)));
    return bench::msOf([&] { *ok = OpenAlbomM(name) == 0 && *ok; });
}

void benchOne(int count, const QString &nativeAppDir, bench::Goals &goals) {
    const QString name = QStringLiteral("bench%1.alb").arg(count);
    const QStringList songs = bench::cyrillicAlbum(count);
    bool ok = true;
    const std::vector<double> median = bench::medianOfRounds(
        kRounds, {
                     [&] { return saveMs(nativeAppDir, name, songs); },
                     [&] { return plainMs(nativeAppDir + QStringLiteral("/raw.bin"), songs); },
                     [&] { return openMs(name, &ok); },
                 });
    std::printf("%7d songs: open %8.1f ms   save %8.1f ms   (plain encode+write %8.1f ms)\n", count,
                median[2], median[0], median[1]);
    const std::string size = std::to_string(count) + " songs";
    goals.atMost(size + ": open", median[2], count * kOpenMsPerSong, "ms");
    goals.atMost(size + ": save, ratio to the plain write", median[0] / median[1], kSaveToPlain,
                 "x");
    goals.holds(size + ": every song read back", ok && frmForma().ListPath == songs);
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString appDir = dir.path() + QStringLiteral("/Tonvela");
    QDir().mkpath(appDir);

    DriveFileSystem fs({{QStringLiteral("C"), dir.path()}});
    bench::SilentPorts ports(fs, MediaPlayer::Stopped, false);
    G().AppDir = QStringLiteral("C:/Tonvela/");
    G().PathSep = QStringLiteral("/");

    bench::Goals goals;
    for (int count : bench::sizesFrom(argc, argv, {10000, 100000, 400000}))
        benchOne(count, appDir, goals);
    return goals.exitCode();
}
