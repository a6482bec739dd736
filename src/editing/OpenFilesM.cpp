#include "editing/OpenFilesM.h"

#include "core/Forma.h"
#include "core/Globals.h"
#include "core/SongEntry.h"
#include "core/Turns.h"
#include "editing/DropFilesM.h"
#include "platform/Ports.h"
#include "playback/NewPlayM.h"

namespace tv {

namespace {

// The index of the first named MP3 file the album holds, or -1.
int firstHeld(const QStringList &paths) {
    const SongList &songs = frmForma().ListPath;
    for (const QString &path : paths) {
        if (!path.endsWith(QLatin1String(".mp3"), Qt::CaseInsensitive))
            continue;
        for (int i = 0; i < songs.size(); ++i) {
            if (songPathView(songs.at(i)).compare(path, Qt::CaseInsensitive) == 0)
                return i;
        }
    }
    return -1;
}

void openFiles(const QStringList &nativePaths) {
    QStringList paths;
    for (const QString &native : nativePaths) {
        const QString path = P().fs->fromNative(native);
        if (!path.isEmpty())
            paths.append(path);
    }
    if (paths.isEmpty())
        return;
    const qsizetype before = frmForma().ListPath.size();
    DropFiles(paths, G().NamePesni);
    // Songs removed while the files were read leave no place to start from.
    if (frmForma().ListPath.size() < before)
        return;
    const int start = frmForma().ListPath.size() > before ? int(before) : firstHeld(paths);
    if (start >= 0)
        NewPlayM(start);
}

} // namespace

void OpenFilesM(const QStringList &nativePaths) {
    runCommand([nativePaths] { openFiles(nativePaths); });
}

} // namespace tv
