#include "core/AlbumCommands.h"

#include "core/AlbumList.h"
#include "core/AlbumNames.h"
#include "core/Forma.h"
#include "core/Globals.h"
#include "core/TextLines.h"
#include "core/Turns.h"
#include "platform/Ports.h"

#include <QHash>

namespace tv {

void LoadAlbomInfoM() {
    Globals &g = G();
    // Each album keeps the song it remembered; walking backwards lets the first
    // entry of a name win.
    QHash<QString, int> remembered;
    for (int i = g.AlbomUB(); i >= 0; --i)
        remembered.insert(g.Alboms.at(i).Name, g.Alboms.at(i).NumPesni);

    // A name the settings file cannot hold as a line is no album name (nor
    // a file name on Windows): it is left out.
    QVector<AlbomInfo> entries;
    for (const QString &name : P().fs->listFiles(g.AppDir, QStringLiteral(".alb"))) {
        if (TextLines::fitsLine(name))
            entries.append({name, remembered.value(name, 0)});
    }
    // The new album being made (New's placeholder is open) keeps its place
    // at the end of the list.
    const ListBox &list = frmForma().lstAlbomy;
    const int last = list.ListCount() - 1;
    const bool makingNew =
        g.NameAlbom.isEmpty() && last >= 0 && g.NumAlbom == last && list.List(last) == kNewAlbum;
    setAlbumList(entries);
    if (makingNew)
        appendAlbumEntry(kNewAlbum, {QString(), -1});
    letEventsIn();
}

} // namespace tv
