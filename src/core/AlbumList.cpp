#include "core/AlbumList.h"

#include "core/Forma.h"

namespace tv {

void setAlbumList(const QVector<AlbomInfo> &entries) {
    QStringList names;
    names.reserve(entries.size());
    for (const AlbomInfo &entry : entries)
        names.append(entry.Name);
    G().Alboms = entries;
    frmForma().lstAlbomy.setItems(names);
}

void appendAlbumEntry(const QString &row, const AlbomInfo &entry) {
    G().Alboms.append(entry);
    frmForma().lstAlbomy.AddItem(row);
}

void removeAlbumEntry(int i) {
    if (i < 0 || i >= G().Alboms.size())
        return;
    G().Alboms.removeAt(i);
    frmForma().lstAlbomy.RemoveItem(i);
}

int rememberedSong(int i) {
    return i >= 0 && i < G().Alboms.size() ? G().Alboms.at(i).NumPesni : -1;
}

QString albumName(int i) {
    return i >= 0 && i < G().Alboms.size() ? G().Alboms.at(i).Name : QString();
}

void rememberSong(int i, int song) {
    if (i >= 0 && i < G().Alboms.size())
        G().Alboms[i].NumPesni = song;
}

} // namespace tv
