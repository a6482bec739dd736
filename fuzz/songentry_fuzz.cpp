// The split of a song entry into title and path, and the playlist row made
// of it, on any text.
#include "FuzzCheck.h"

#include "core/AlbumFormat.h"
#include "core/ListModel.h"
#include "core/SongList.h"

using namespace tv;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QString entry = fuzz::utf16(data, size);
    const SongEntry song = SongEntry::split(entry);
    const qsizetype colon = entry.lastIndexOf(QLatin1Char(':'));
    if (colon < 1) {
        fuzz::check(song.title == entry && song.path == entry, "no drive colon: the entry whole");
    } else {
        fuzz::check(song.title + song.path == entry, "title and path make the entry");
        fuzz::check(song.path.at(1) == QLatin1Char(':') &&
                        !song.path.mid(2).contains(QLatin1Char(':')),
                    "the path starts at the drive letter of the last colon");
    }
    fuzz::check(SongEntry::titleSize(entry) == song.title.size(), "title size as split");

    const SongList list(QStringList{entry});
    PlayListModel rows(list);
    rows.rebuild();
    const QString row = rows.List(0);
    fuzz::check(row.startsWith(QStringLiteral("1.")), "row number");
    fuzz::check(song.title.startsWith(row.mid(2)), "the row shows the title's beginning");
    fuzz::check(row.size() - 2 <= PlayListModel::kShownTitle, "the row is bounded");
    return 0;
}
