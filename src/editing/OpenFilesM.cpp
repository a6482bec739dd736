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

// So many names are shown in a message; the rest are counted.
constexpr qsizetype kNamesShown = 10;

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

void takeFiles(const QStringList &paths) {
    const qsizetype before = frmForma().ListPath.size();
    DropFiles(paths, G().NamePesni);
    // Songs removed while the files were read leave no place to start from.
    if (frmForma().ListPath.size() < before)
        return;
    const int start = frmForma().ListPath.size() > before ? int(before) : firstHeld(paths);
    if (start >= 0)
        NewPlayM(start);
}

// One message for all the files refused for one reason, as the drop says a
// playlist without songs.
void sayRefused(const QStringList &paths, const QString &why) {
    if (paths.isEmpty())
        return;
    QStringList lines = paths.first(qMin(paths.size(), kNamesShown));
    if (paths.size() > kNamesShown)
        lines << QStringLiteral("... (+%1)").arg(paths.size() - kNamesShown);
    P().dialogs->MsgBox(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n") + why,
                        vbOKOnly | vbExclamation, G().strTitle);
}

// One command: its messages are questions too, and a command let in at them
// waits for the files to be taken.
void openPaths(const QStringList &paths, QStringList notFound) {
    QStringList taken, cantOpen;
    for (const QString &path : paths) {
        const Refusal refusal = refusalOf(path);
        (refusal == Refusal::None       ? taken
         : refusal == Refusal::NotFound ? notFound
                                        : cantOpen)
            .append(path);
    }
    if (!taken.isEmpty())
        takeFiles(taken);
    sayRefused(notFound, G().strNotFound);
    sayRefused(cantOpen, G().strCantOpen);
}

} // namespace

// The paths no drive holds are said as they were given.
void OpenFilesM(const QStringList &nativePaths) {
    QStringList paths, unknown;
    for (const QString &native : nativePaths) {
        const QString path = P().fs->fromNative(native);
        (path.isEmpty() ? unknown : paths).append(path.isEmpty() ? native : path);
    }
    OpenPathsM(paths, unknown);
}

void OpenPathsM(const QStringList &paths, const QStringList &notFound) {
    runCommand([paths, notFound] { openPaths(paths, notFound); });
}

bool opensPath(const QString &path) {
    return refusalOf(path) == Refusal::None;
}

} // namespace tv
