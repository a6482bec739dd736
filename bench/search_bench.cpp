// Times the search across all albums against grep over the same files:
// 200 albums of 5,000 songs (Cyrillic and Latin paths, Windows-1251), a text
// in about 1% of the paths. The goal: the median of the rounds at most 1.5
// times grep -F -i -c's.
// Run: tonvela_search_bench [albums songs]

#include "BenchSupport.h"
#include "core/AlbumFormat.h"
#include "core/AlbumList.h"
#include "core/Globals.h"
#include "platform/Ports.h"
#include "platform/qt/DriveFileSystem.h"
#include "playback/FoundModel.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

using namespace tv;

namespace {

constexpr double kGoal = 1.5;
constexpr int kRounds = 11;
const QString kText = QStringLiteral("beatles");
const char *const kBand[] = {"The Beatles", "BEATLES", "beatles - live"};

// Song i of album a; every hundredth lies in a folder named for the text, in
// one of three letter cases. No title holds the text, so that grep, which
// sees whole lines, counts what the search finds.
QString song(int a, int i) {
    const QString title = QString::fromUtf8("Исполнитель %1 - Песня номер %2").arg(i % 97).arg(i);
    if (i % 100 == 0)
        return title + QStringLiteral("D:\\Music\\%1\\%2\\%3.mp3")
                           .arg(QLatin1String(kBand[(a + i / 100) % 3]))
                           .arg(a)
                           .arg(i);
    if (i % 2)
        return title + QString::fromUtf8("C:\\Музыка\\Группа %1\\Альбом %2\\%3 - Песня.mp3")
                           .arg(i % 53)
                           .arg(a)
                           .arg(i);
    return title + QStringLiteral("E:\\Music\\Artist %1\\Album %2\\%3 - Song.mp3")
                       .arg(i % 41)
                       .arg(a)
                       .arg(i);
}

QStringList writeAlbums(const QString &dir, int albums, int songs) {
    QStringList files;
    QVector<AlbomInfo> entries;
    for (int a = 0; a < albums; ++a) {
        QStringList lines;
        lines.reserve(songs);
        for (int i = 0; i < songs; ++i)
            lines << song(a, i);
        const QString name = QStringLiteral("album%1.alb").arg(a, 3, 10, QLatin1Char('0'));
        QFile file(dir + QLatin1Char('/') + name);
        if (!file.open(QIODevice::WriteOnly) || file.write(AlbumFormat::format(lines)) < 0)
            qFatal("cannot write %s", qPrintable(file.fileName()));
        files << file.fileName();
        entries.append({name, 0});
    }
    setAlbumList(entries);
    return files;
}

// grep's count of matching lines over all files, timed as a process run.
qint64 grepCount(const QStringList &files, double *ms) {
    QProcess grep;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // The byte locale: grep at its fastest.
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    grep.setProcessEnvironment(env);
    QElapsedTimer timer;
    timer.start();
    grep.start(QStringLiteral("grep"), QStringList{"-F", "-i", "-c", kText} + files);
    if (!grep.waitForFinished(-1) || grep.exitStatus() != QProcess::NormalExit)
        qFatal("grep did not run");
    const QByteArray out = grep.readAllStandardOutput();
    *ms = double(timer.nsecsElapsed()) / 1e6;
    qint64 total = 0;
    for (const QByteArray &line : out.split('\n'))
        total += line.mid(line.lastIndexOf(':') + 1).toLongLong();
    return total;
}

qint64 searchCount(double *ms) {
    FoundModel window;
    window.Text1_Change(kText);
    QElapsedTimer timer;
    timer.start();
    window.kFound_Click();
    *ms = double(timer.nsecsElapsed()) / 1e6;
    return window.List1.ListCount();
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const int albums = argc > 2 ? QString::fromLocal8Bit(argv[1]).toInt() : 200;
    const int songs = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 5000;
    QTemporaryDir dir;
    const QString appDir = dir.path() + QStringLiteral("/Tonvela");
    QDir().mkpath(appDir);
    DriveFileSystem fs({{QStringLiteral("C"), dir.path()}});
    P().fs = &fs;
    G().AppDir = QStringLiteral("C:/Tonvela/");
    G().PathSep = QStringLiteral("/");
    const QStringList files = writeAlbums(appDir, albums, songs);

    qint64 grepFound = 0, searchFound = 0;
    const std::vector<double> median =
        bench::medianOfRounds(kRounds, {
                                           [&] {
                                               double ms = 0;
                                               grepFound = grepCount(files, &ms);
                                               return ms;
                                           },
                                           [&] {
                                               double ms = 0;
                                               searchFound = searchCount(&ms);
                                               return ms;
                                           },
                                       });
    std::printf("%d albums x %d songs, \"%s\": search %lld found in %.1f ms, grep %lld lines in "
                "%.1f ms (medians of %d rounds)\n",
                albums, songs, qPrintable(kText), static_cast<long long>(searchFound), median[1],
                static_cast<long long>(grepFound), median[0], kRounds);
    bench::Goals goals;
    goals.atMost("search, ratio to grep", median[1] / median[0], kGoal, "x");
    goals.holds("the search finds what grep counts", searchFound == grepFound);
    P() = Ports{};
    return goals.exitCode();
}
