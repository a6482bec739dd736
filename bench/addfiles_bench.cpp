// Adding songs from a folder of 10,000 tagged MP3 files (warm cache), each
// timed against a floor loop in plain C++: open, one 128-byte read at the
// file's end, close, per file. The medians of the rounds, as ratios to the
// floor's, against their goals (the exit status says whether all were met):
//   titles through InfoMP3M                         at most 1.5 x the floor
//                                   (1.0-1.3 x from run to run on 2 busy cores)
//   the browser's rebuild (listing, the titles of the rows shown, paint)
//                                                   at most 1.5 x
//   Add all into an open album of 100,000 songs     at most 2 x
// and, for a folder of as many files tagged only at their start (ID3v2.3,
// UTF-16), titles through InfoMP3M against a floor of open, the 10-byte
// header, the tag's bytes, close: at most 3 x; and the same read with the
// tag arena (editing/TagArena.h) at most 0.9 x the read without it, in the
// same rounds.
// Run: tonvela_addfiles_bench [files] [album songs]

#include "BenchSupport.h"
#include "core/Forma.h"
#include "core/Globals.h"
#include "core/TextLines.h"
#include "editing/AddFileModel.h"
#include "editing/AddFiles.h"
#include "editing/TagArena.h"
#include "editing/Tags.h"
#include "platform/Ports.h"
#include "platform/qt/DriveFileSystem.h"
#include "ui/FrmAddFile.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace tv;

namespace {

constexpr int kRounds = 15;
// The tag arena stays only while it saves at least a tenth of that time.
constexpr double kArenaGain = 0.9;

QByteArray field(const QString &text) {
    QByteArray bytes = Cp1251::encode(text).left(30);
    return bytes + QByteArray(30 - int(bytes.size()), '\0');
}

QByteArray mp3(int i) {
    const QByteArray audio(1500 + (i % 7) * 100, char(0xFF));
    return audio + "TAG" + field(QStringLiteral("Песня номер %1").arg(i)) +
           field(QStringLiteral("Исполнитель %1").arg(i % 50)) + QByteArray(65, '\0');
}

// Four big-endian bytes of a size, of seven bits each in the tag's header.
QByteArray sizeBytes(quint32 n, int bits) {
    QByteArray out(4, '\0');
    for (int i = 3; i >= 0; --i, n >>= bits)
        out[i] = char(n & ((1u << bits) - 1));
    return out;
}

// Texts in UTF-16 with its byte-order mark, as most taggers write v2.3.
QByteArray v2Frame(const char *id, const QString &text) {
    QByteArray data("\x01\xff\xfe", 3);
    for (const QChar c : text)
        data.append(char(c.unicode() & 0xff)).append(char(c.unicode() >> 8));
    return id + sizeBytes(quint32(data.size()), 8) + QByteArray(2, '\0') + data;
}

// A v2.3 tag with the two texts and the padding taggers leave, then audio.
QByteArray mp3v2(int i) {
    const QByteArray frames = v2Frame("TPE1", QStringLiteral("Исполнитель %1").arg(i % 50)) +
                              v2Frame("TIT2", QStringLiteral("Песня номер %1").arg(i)) +
                              QByteArray(1024, '\0');
    return QByteArray("ID3\x03\x00\x00", 6) + sizeBytes(quint32(frames.size()), 7) + frames +
           QByteArray(1500 + (i % 7) * 100, char(0xFF));
}

QStringList writeFolder(const QString &native, int count,
                        const std::function<QByteArray(int)> &make) {
    QDir().mkpath(native);
    QStringList names;
    for (int i = 0; i < count; ++i) {
        const QString name = QStringLiteral("Трек %1.mp3").arg(i, 5, 10, QLatin1Char('0'));
        QFile file(native + QLatin1Char('/') + name);
        if (!file.open(QIODevice::WriteOnly) || file.write(make(i)) < 0)
            std::fprintf(stderr, "cannot write %s\n", qPrintable(name));
        names << name;
    }
    return names;
}

} // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int files = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 10000;
    const int songs = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 100000;

    QTemporaryDir dir;
    const QString native = dir.path() + QStringLiteral("/Музыка");
    const QStringList names = writeFolder(native, files, mp3);
    const QString nativeV2 = dir.path() + QStringLiteral("/Новые");
    const QStringList namesV2 = writeFolder(nativeV2, files, mp3v2);
    const auto nativePaths = [](const QString &in, const QStringList &names) {
        std::vector<std::string> paths;
        for (const QString &name : names)
            paths.push_back(QFile::encodeName(in + QLatin1Char('/') + name).toStdString());
        return paths;
    };
    const std::vector<std::string> paths = nativePaths(native, names);
    const std::vector<std::string> pathsV2 = nativePaths(nativeV2, namesV2);

    DriveFileSystem fs({{QStringLiteral("C"), dir.path()}});
    P().fs = &fs;
    Globals &g = G();
    g.PathSep = QStringLiteral("/");
    g.AppDir = QStringLiteral("C:/");
    const QString folder = QStringLiteral("C:/Музыка/");
    Forma &f = frmForma();

    bench::tagFloor(paths); // warm the cache
    bench::tagV2Floor(pathsV2);
    const QString folderV2 = QStringLiteral("C:/Новые/");
    bool v2Titles = true;
    const QStringList before = bench::cyrillicAlbum(songs);
    const auto v2TitlesMs = [&] {
        return bench::msOf([&] {
            const FolderHeld held(fs, folderV2);
            for (const QString &name : namesV2)
                v2Titles = InfoMP3M(folderV2 + name).startsWith(QStringLiteral("Исп")) && v2Titles;
        });
    };
    const std::vector<double> median = bench::medianOfRounds(
        kRounds, {
                     [&] { return bench::msOf([&] { bench::tagFloor(paths); }); },
                     [&] {
                         return bench::msOf([&] {
                             // As the program reads a folder's titles.
                             const FolderHeld held(fs, folder);
                             for (const QString &name : names)
                                 InfoMP3M(folder + name);
                         });
                     },
                     [&] {
                         g.strDir = folder;
                         return bench::msOf([&] {
                             AddFileModel model(QStringLiteral("C:/"));
                             ui::FrmAddFile window(&model);
                             window.grab();
                         });
                     },
                     [&] {
                         f.ListPath = before;
                         f.PlayList.rebuild();
                         return bench::msOf([&] { AddPapka(folder, names, 0); });
                     },
                     [&] { return bench::msOf([&] { bench::tagV2Floor(pathsV2); }); },
                     [&] { return v2TitlesMs(); },
                     [&] {
                         TagArena::setEnabled(false);
                         const double ms = v2TitlesMs();
                         TagArena::setEnabled(true);
                         return ms;
                     },
                 });
    const double floor = median[0];
    std::printf("%d files, floor loop %.1f ms (median of %d rounds); ratios to it:\n", files, floor,
                kRounds);
    bench::Goals goals;
    goals.atMost("titles through InfoMP3M", median[1] / floor, 1.5, "x");
    goals.atMost("browser rebuild: listing, titles shown, first paint", median[2] / floor, 1.5,
                 "x");
    goals.atMost(QStringLiteral("Add all into an album of %1 songs").arg(songs).toStdString(),
                 median[3] / floor, 2.0, "x");
    goals.holds("Add all added every file", f.ListPath.size() == songs + files);
    std::printf("%d files tagged at their start, floor loop %.1f ms\n", files, median[4]);
    goals.atMost("titles through InfoMP3M (ID3v2 only)", median[5] / median[4], 3.0, "x");
    goals.atMost("the same with the tag arena, ratio to without it", median[5] / median[6],
                 kArenaGain, "x");
    goals.holds("titles from ID3v2 tags", v2Titles);
    P() = Ports{};
    return goals.exitCode();
}
