#include "core/SongEntry.h"
#include "core/Songs.h"
#include "editing/AddFilesM.h"
#include "platform/Ports.h"

namespace tv {

namespace {

QStringList newEntries(const QString &folder, const QStringList &names, int namePesni) {
    const LowPath lowPath = LoadLowPath(folder);
    const FolderHeld held(*P().fs, folder);
    QStringList entries;
    for (const QString &name : names) {
        const QString path = folder + name;
        if (!lowPath.contains(path))
            entries.append(SongEntry::join(newSongTitle(folder, name, namePesni), path));
    }
    return entries;
}

} // namespace

// The index is gone before the songs are appended: it shares the album's
// list, which would otherwise be copied whole on the append.
void AddPapka(const QString &folder, const QStringList &names, int namePesni) {
    appendSongs(newEntries(folder, names, namePesni));
}

} // namespace tv
