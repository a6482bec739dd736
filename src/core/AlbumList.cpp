#include "core/AlbumList.h"

#include "core/Forma.h"

namespace tv {

void setAlbumList(const QVector<AlbomInfo> &entries) {
    QStringList names;
    names.reserve(entries.size());
    for (const AlbomInfo &entry : entries)
        names.append(entry.Name);
    G().Alboms = entries;
    G().AlbomUB = int(entries.size()) - 1;
    frmForma().lstAlbomy.setItems(names);
}

void appendAlbumEntry(const QString &row, const AlbomInfo &entry) {
    G().Alboms.append(entry);
    G().AlbomUB = int(G().Alboms.size()) - 1;
    frmForma().lstAlbomy.AddItem(row);
}

void removeAlbumEntry(int i) {
    if (i < 0 || i >= G().Alboms.size())
        return;
    G().Alboms.removeAt(i);
    G().AlbomUB = int(G().Alboms.size()) - 1;
    frmForma().lstAlbomy.RemoveItem(i);
}

} // namespace tv
