// Reading an album against a floor measured in the same run: glibc's
// iconv(3) turning the same file's bytes from Windows-1251 into UTF-16, the
// form the program holds text in. Goal: the whole read (file, decode, split
// into songs, the playlist refilled, the remembered song started) at most 2x
// the floor for 100,000 songs, and 1,000,000 songs read and shown in the main
// window under 0.5 s. Run: tonvela_albumread_bench [songs]

#include "BenchSupport.h"
#include "core/AlbumFile.h"
#include "core/AlbumFormat.h"
#include "core/Forma.h"
#include "core/Globals.h"
#include "platform/Ports.h"
#include "platform/qt/DriveFileSystem.h"
#include "ui/FormaWindow.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListView>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <iconv.h>
#include <vector>

using namespace tv;

namespace {

constexpr int kRounds = 5;

template <class F> double bestMs(F &&run) {
    double best = 1e300;
    for (int i = 0; i < kRounds; ++i) {
        QElapsedTimer timer;
        timer.start();
        run();
        best = std::min(best, double(timer.nsecsElapsed()) / 1e6);
    }
    return best;
}

// The floor: the bytes into UTF-16 by iconv, into a buffer made once.
double iconvMs(const QByteArray &bytes) {
    iconv_t cd = iconv_open("UTF-16LE", "CP1251");
    if (cd == iconv_t(-1)) {
        std::perror("iconv_open");
        return 0;
    }
    std::vector<char> out(size_t(bytes.size()) * 2 + 16);
    const double ms = bestMs([&] {
        char *in = const_cast<char *>(bytes.constData());
        size_t inLeft = size_t(bytes.size());
        char *to = out.data();
        size_t outLeft = out.size();
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        if (iconv(cd, &in, &inLeft, &to, &outLeft) == size_t(-1))
            std::perror("iconv");
    });
    iconv_close(cd);
    return ms;
}

// Writes the album and a file for its first song; returns the album's bytes.
QByteArray writeAlbum(const QString &nativeRoot, const QString &name, int count) {
    const QByteArray bytes = AlbumFormat::format(bench::cyrillicAlbum(count));
    QDir().mkpath(nativeRoot + QStringLiteral("/Музыка/Альбом 0"));
    QFile song(nativeRoot + QStringLiteral("/Музыка/Альбом 0/0.mp3"));
    QFile album(nativeRoot + QStringLiteral("/Tonvela/") + name);
    if (!song.open(QIODevice::WriteOnly) || !album.open(QIODevice::WriteOnly) ||
        album.write(bytes) != bytes.size())
        std::fprintf(stderr, "cannot write %s\n", qPrintable(album.fileName()));
    return bytes;
}

// The album is read as the album list opens it.
bool open(const QString &name) {
    frmForma().lstAlbomy.setItems({name});
    frmForma().lstAlbomy.setListIndex(0);
    return OpenAlbomM(name) == 0;
}

void readAgainstIconv(const QString &root, int count) {
    const QString name = QStringLiteral("read%1.alb").arg(count);
    const QByteArray bytes = writeAlbum(root, name, count);
    const double floor = iconvMs(bytes);
    bool ok = true;
    const double read = bestMs([&] { ok = open(name) && ok; });
    ok = ok && frmForma().ListPath.size() == count;
    std::printf("%8d songs, %5.1f MB: read %7.1f ms, iconv floor %7.1f ms, ratio %.2f "
                "(goal <= 2.00)%s\n",
                count, bytes.size() / 1e6, read, floor, read / floor, ok ? "" : "  READ FAILED");
}

// A million songs read into the main window, which then paints its list.
void readAndShow(const QString &root, int count) {
    const QString name = QStringLiteral("shown%1.alb").arg(count);
    writeAlbum(root, name, count);
    ui::FormaWindow window;
    window.show();
    QApplication::processEvents();
    bool ok = true;
    const double ms = bestMs([&] {
        frmForma().ListPath.clear();
        frmForma().PlayList.rebuild();
        QApplication::processEvents();
        ok = open(name) && ok;
        QApplication::processEvents();
        window.PlayList()->viewport()->repaint();
    });
    ok = ok && window.PlayList()->model()->rowCount() == count;
    std::printf("%8d songs read and shown: %7.1f ms (goal < 500 ms)%s\n", count, ms,
                ok ? "" : "  READ FAILED");
}

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    QDir().mkpath(dir.path() + QStringLiteral("/Tonvela"));

    DriveFileSystem fs({{QStringLiteral("C"), dir.path()}});
    bench::SilentPorts ports(fs, MediaPlayer::Playing, true);
    G().AppDir = QStringLiteral("C:/Tonvela/");
    G().PathSep = QStringLiteral("/");

    const int count = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100000;
    readAgainstIconv(dir.path(), count);
    readAndShow(dir.path(), 1000000);
    return 0;
}
