// Times the title editor and the drive-letter window on large albums: the
// editor's load, a move and OK; the replacement of every path's letter. Goal,
// on the medians of the rounds: each takes at most a quarter of a second per
// 100,000 songs, so that even an album of 400,000 answers within a second.
// Run: tonvela_edit_windows_bench [sizes...]

#include "BenchSupport.h"
#include "core/Forma.h"
#include "core/Globals.h"
#include "editing/ChangeModel.h"
#include "editing/NewDiskModel.h"
#include "platform/Ports.h"

#include <QCoreApplication>
#include <cstdio>

using namespace tv;

namespace {

constexpr int kRounds = 7;
constexpr double kMsPerSong = 250.0 / 100000;

void openSongs(const QStringList &songs) {
    Forma &f = frmForma();
    f.ListPath = songs;
    f.PlayList.rebuild();
    f.PlayList.setListIndex(int(songs.size() / 2));
}

double editorMs(const QStringList &songs, bool *ok) {
    openSongs(songs);
    const double ms = bench::msOf([] {
        ChangeModel editor;
        editor.kDOWN_Click();
        editor.kOK_Click();
    });
    *ok = *ok && frmForma().PlayList.ListCount() == songs.size();
    return ms;
}

double driveLetterMs(const QStringList &songs, bool *ok) {
    openSongs(songs);
    const double ms = bench::msOf([] {
        NewDiskModel window;
        window.setText1(1, QStringLiteral("d"));
        window.kOK_Click();
    });
    *ok = *ok && frmForma().ListPath.constLast().contains(QStringLiteral("d:/"));
    return ms;
}

void benchOne(int count, bench::Goals &goals) {
    const QStringList songs = bench::cyrillicAlbum(count);
    bool moved = true, replaced = true;
    const std::vector<double> median =
        bench::medianOfRounds(kRounds, {
                                           [&] { return editorMs(songs, &moved); },
                                           [&] { return driveLetterMs(songs, &replaced); },
                                       });
    std::printf("%7d songs: editor load+move+OK %7.1f ms   drive letter %7.1f ms\n", count,
                median[0], median[1]);
    const std::string size = std::to_string(count) + " songs";
    goals.atMost(size + ": title editor, load, a move and OK", median[0], count * kMsPerSong, "ms");
    goals.atMost(size + ": drive letter replaced", median[1], count * kMsPerSong, "ms");
    goals.holds(size + ": the edits took", moved && replaced);
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    bench::SilentDialogs dialogs;
    P().dialogs = &dialogs;
    bench::Goals goals;
    for (int count : bench::sizesFrom(argc, argv, {10000, 100000, 400000}))
        benchOne(count, goals);
    P() = Ports{};
    return goals.exitCode();
}
