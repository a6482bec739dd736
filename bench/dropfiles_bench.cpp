// Dropping a folder tree of 10,000 tagged MP3 files (100 folders of 100, warm
// cache) onto an album of 100,000 songs, against a floor loop in plain C++
// (open, one 128-byte read at the file's end, close, per file). The drop walks
// the tree, checks every file against the album once and appends in one go, so
// it should cost what Add all of one folder costs per file. Goal, on the
// medians of the rounds: the drop at most 2 x the floor.
// Then the longest time the window would not answer (the longest gap between
// two turns of the event loop, or to the first or from the last) while
// dropping a tree of 50,000 files holding two links to itself, and a
// 1,000,000-line playlist naming those files over and over:
//   each gap   at most 100 ms
// Run: tonvela_dropfiles_bench [folders] [files per folder] [album songs]

#include "BenchSupport.h"
#include "core/Forma.h"
#include "core/Globals.h"
#include "editing/DropFiles.h"
#include "platform/Ports.h"
#include "platform/qt/DriveFileSystem.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace tv;

namespace {

constexpr int kRounds = 11;

QByteArray mp3(int i) {
    QByteArray title = QByteArray("Song ") + QByteArray::number(i);
    title.resize(30, '\0');
    QByteArray artist("Band");
    artist.resize(30, '\0');
    return QByteArray(1500, char(0xFF)) + "TAG" + title + artist + QByteArray(65, '\0');
}

// The native paths of the files written.
std::vector<std::string> writeTree(const QString &root, int folders, int perFolder) {
    std::vector<std::string> paths;
    for (int d = 0; d < folders; ++d) {
        const QString dir = root + QStringLiteral("/Disc %1").arg(d, 3, 10, QLatin1Char('0'));
        QDir().mkpath(dir);
        for (int i = 0; i < perFolder; ++i) {
            const QString name = QStringLiteral("%1.mp3").arg(i, 4, 10, QLatin1Char('0'));
            QFile file(dir + QLatin1Char('/') + name);
            if (!file.open(QIODevice::WriteOnly) || file.write(mp3(i)) < 0)
                std::fprintf(stderr, "cannot write %s\n", qPrintable(name));
            paths.push_back(QFile::encodeName(file.fileName()).toStdString());
        }
    }
    return paths;
}

QStringList album(int count) {
    QStringList songs;
    songs.reserve(count);
    for (int i = 0; i < count; ++i)
        songs << QStringLiteral("Band - Song %1C:/Old/%2/%1.mp3").arg(i).arg(i / 20);
    return songs;
}

// Notes the turns of the event loop, to find the longest wait between them.
class GapEvents : public EventLoop {
public:
    void start() {
        m_timer.start();
        m_last = 0;
        m_longest = 0;
        m_turns = 0;
    }
    void DoEvents() override { turn(); }
    void endProcess() override {}
    double longestMs() {
        turn();
        --m_turns;
        return double(m_longest) / 1e6;
    }
    int turns() const { return m_turns; }

private:
    void turn() {
        const qint64 now = m_timer.nsecsElapsed();
        m_longest = std::max(m_longest, now - m_last);
        m_last = now;
        ++m_turns;
    }
    QElapsedTimer m_timer;
    qint64 m_last = 0;
    qint64 m_longest = 0;
    int m_turns = 0;
};

// The longest gap of one drop onto an empty album.
double longestGap(const std::string &what, const QStringList &dropped, GapEvents &events) {
    frmForma().ListPath.clear();
    frmForma().PlayList.rebuild();
    QElapsedTimer timer;
    timer.start();
    events.start();
    DropFiles(dropped, 0);
    const double longest = events.longestMs();
    std::printf("%s: %.0f ms in all, %d turns, longest wait %.1f ms\n", what.c_str(),
                bench::msSince(timer), events.turns(), longest);
    return longest;
}

// The longest gap of one drop onto an empty album, against its goal.
void gapOf(const std::string &what, const QStringList &dropped, GapEvents &events,
           qsizetype expected, bench::Goals &goals) {
    const double longest = longestGap(what, dropped, events);
    goals.atMost(what + ": the longest wait of the window", longest, 100, "ms");
    goals.holds(what + ": every file added once", frmForma().ListPath.size() == expected);
}

// The playlist read whole into a block whose pages are made present ahead,
// against faulted in as the read goes, in turns: the read is one step of the
// drop, and its faults are the window's longest wait.
void pagesAheadPay(const QStringList &dropped, GapEvents &events, bench::Goals &goals) {
    constexpr int kPagesRounds = 5;
    const auto gapWith = [&](bool ahead) {
        DriveFileSystem::setPagesAhead(ahead);
        return longestGap(ahead ? "pages ahead" : "pages faulted", dropped, events);
    };
    const std::vector<double> median = bench::medianOfRounds(
        kPagesRounds, {[&] { return gapWith(false); }, [&] { return gapWith(true); }});
    DriveFileSystem::setPagesAhead(true);
    goals.atMost("the playlist's longest wait, pages made ahead, ratio to without",
                 median[1] / median[0], 0.9, "x");
}

// A tree of 50,000 files: the one written, made up to that many, with two
// links to its own top.
QString loopedTree(const QString &root, int folders, int perFolder) {
    const QString tree = root + QStringLiteral("/Looped");
    const int more = std::max(0, 50000 / std::max(perFolder, 1) - folders);
    writeTree(tree, more, perFolder);
    QFile::link(root + QStringLiteral("/Tree"), tree + QStringLiteral("/Tree"));
    QFile::link(QStringLiteral("."), tree + QStringLiteral("/l1"));
    QFile::link(QStringLiteral("."), tree + QStringLiteral("/l2"));
    return tree;
}

// A million lines naming the tree's files over and over, by relative paths.
void writePlaylist(const QString &path, int folders, int perFolder) {
    QByteArray text = "#EXTM3U\r\n";
    for (int line = 0; line < 1000000; ++line) {
        const int i = line % (folders * perFolder);
        text += QStringLiteral("#EXTINF:1,Song %1\r\nTree/Disc %2/%3.mp3\r\n")
                    .arg(i)
                    .arg(i / perFolder, 3, 10, QLatin1Char('0'))
                    .arg(i % perFolder, 4, 10, QLatin1Char('0'))
                    .toUtf8();
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

// The time of the work on an album that held the songs before.
double msOn(const QStringList &before, const std::function<void()> &work) {
    frmForma().ListPath = before;
    frmForma().PlayList.rebuild();
    return bench::msOf(work);
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const int folders = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100;
    const int perFolder = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 100;
    const int songs = argc > 3 ? QString::fromLocal8Bit(argv[3]).toInt() : 100000;
    QTemporaryDir dir;
    const std::vector<std::string> paths =
        writeTree(dir.path() + QStringLiteral("/Tree"), folders, perFolder);
    DriveFileSystem fs({{QStringLiteral("C"), dir.path()}});
    bench::SilentPorts ports(fs);
    GapEvents events;
    P().events = &events;
    G().PathSep = QStringLiteral("/");
    G().AppDir = QStringLiteral("C:/");
    const QStringList before = album(songs);

    bench::tagFloor(paths); // warm the cache
    // The drop last, so that its songs are there to count.
    const std::vector<double> median = bench::medianOfRounds(
        kRounds,
        {
            [&] { return msOn({}, [&] { bench::tagFloor(paths); }); },
            [&] { return msOn(before, [] { DropFiles({QStringLiteral("C:/Tree")}, 0); }); },
        });
    std::printf("%d files: drop %.1f ms, floor %.1f ms (medians of %d rounds)\n",
                folders * perFolder, median[1], median[0], kRounds);
    bench::Goals goals;
    goals.atMost("the drop, ratio to the floor", median[1] / median[0], 2.0, "x");
    goals.holds("every file added", frmForma().ListPath.size() == songs + folders * perFolder);

    loopedTree(dir.path(), folders, perFolder);
    const qsizetype inTree =
        (std::max(0, 50000 / std::max(perFolder, 1) - folders) + folders) * qsizetype(perFolder);
    writePlaylist(dir.path() + QStringLiteral("/million.m3u"), folders, perFolder);
    gapOf("tree of 50,000 files, two self-links", {QStringLiteral("C:/Looped")}, events, inTree,
          goals);
    gapOf("1,000,000-line playlist", {QStringLiteral("C:/million.m3u")}, events,
          qsizetype(folders) * perFolder, goals);
    pagesAheadPay({QStringLiteral("C:/million.m3u")}, events, goals);
    P() = Ports{};
    return goals.exitCode();
}
