// Times the title editor and the drive-letter window on large albums: the
// editor's load, a move and OK; the replacement of every path's letter.
// Run: tonvela_edit_windows_bench [sizes...]

#include "BenchSupport.h"
#include "core/Forma.h"
#include "core/Globals.h"
#include "editing/ChangeModel.h"
#include "editing/NewDiskModel.h"
#include "platform/Ports.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

using namespace tv;

namespace {

void openSongs(int count) {
    Forma &f = frmForma();
    f.ListPath = bench::cyrillicAlbum(count);
    f.PlayList.rebuild();
    f.PlayList.setListIndex(count / 2);
}

void benchOne(int count) {
    openSongs(count);
    QElapsedTimer timer;
    timer.start();
    double load = 0;
    {
        ChangeModel editor;
        load = bench::msSince(timer);
        editor.kDOWN_Click();
        editor.kOK_Click();
    }
    const double editorTotal = bench::msSince(timer);
    const bool moved = frmForma().PlayList.ListCount() == count;

    timer.restart();
    {
        NewDiskModel window;
        window.setText1(1, QStringLiteral("d"));
        window.kOK_Click();
    }
    const double replace = bench::msSince(timer);
    const bool replaced = frmForma().ListPath.value(count - 1).contains(QStringLiteral("d:/"));

    std::printf(
        "%7d songs: editor load %7.1f ms, load+move+OK %7.1f ms   drive letter %7.1f ms%s\n", count,
        load, editorTotal, replace, moved && replaced ? "" : "   FAILED");
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    bench::SilentDialogs dialogs;
    P().dialogs = &dialogs;
    for (int count : bench::sizesFrom(argc, argv, {10000, 100000, 400000}))
        benchOne(count);
    P() = Ports{};
    return 0;
}
