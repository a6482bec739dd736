#include "editing/AddFiles.h"

#include "core/AlbumFormat.h"
#include "core/Forma.h"
#include "core/Songs.h"
#include "editing/Tags.h"
#include "platform/Ports.h"

namespace tv {

void AddFile(const QString &folder, const QString &name, int namePesni) {
    const QString path = folder + name;
    if (LoadLowPath().contains(path))
        return;
    appendSongs({SongEntry::join(newSongTitle(folder, name, namePesni), path)});
    PlayListModel &list = frmForma().PlayList;
    list.setListIndex(list.ListCount() - 1);
}

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

namespace {

QString rawTitle(const QString &folder, const QString &name, int namePesni) {
    if (namePesni == 0) {
        const QString title = InfoMP3M(folder + name);
        if (!title.isEmpty())
            return title;
    }
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? name : name.left(dot);
}

} // namespace

// Cleaned here too, so that the browser shows the title the song will get.
QString newSongTitle(const QString &folder, const QString &name, int namePesni) {
    return SongEntry::cleanTitle(rawTitle(folder, name, namePesni));
}

} // namespace tv
