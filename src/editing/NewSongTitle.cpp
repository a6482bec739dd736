#include "core/SongEntry.h"
#include "editing/AddFilesM.h"
#include "editing/InfoMP3M.h"

namespace tv {

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
