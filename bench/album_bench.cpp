// Times reading and writing large albums: the file, the playlist display and
// the selection of the remembered song. Run: tonvela_bench [sizes...]

#include "BenchSupport.h"
#include "core/AlbumFile.h"
#include "core/AlbumFormat.h"
#include "core/Forma.h"
#include "core/Globals.h"
#include "platform/Ports.h"
#include "platform/qt/DriveFileSystem.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

using namespace tv;

namespace {

void benchOne(int count, const QString &nativeAppDir) {
    const QString name = QStringLiteral("bench%1.alb").arg(count);
    Forma &f = frmForma();
    f.ListPath = bench::cyrillicAlbum(count);
    f.PlayList.rebuild();
    G().NameAlbom.clear();

    QElapsedTimer timer;
    timer.start();
    SaveFileM(name);
    const double save = bench::msSince(timer);

    // The same bytes written straight to a file, for comparison.
    timer.restart();
    QFile raw(nativeAppDir + QStringLiteral("/raw.bin"));
    if (!raw.open(QIODevice::WriteOnly) || raw.write(AlbumFormat::format(f.ListPath)) < 0)
        std::fprintf(stderr, "raw write failed\n");
    raw.close();
    const double plain = bench::msSince(timer);

    f.ListPath.clear();
    f.PlayList.rebuild();
    f.lstAlbomy.setListIndex(int(f.lstAlbomy.items().indexOf(name)));
    timer.restart();
    const int result = OpenAlbomM(name);
    const double open = bench::msSince(timer);

    std::printf("%7d songs: open %8.1f ms   save %8.1f ms   (plain encode+write %8.1f ms)%s\n",
                count, open, save, plain,
                result == 0 && f.ListPath.size() == count ? "" : "   READ FAILED");
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

    for (int count : bench::sizesFrom(argc, argv, {10000, 100000, 400000}))
        benchOne(count, appDir);
    return 0;
}
