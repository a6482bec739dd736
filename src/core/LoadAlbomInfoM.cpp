#include "core/AlbumCommands.h"

#include "core/Forma.h"
#include "core/Globals.h"
#include "platform/Ports.h"

#include <QHash>

namespace tv {

void LoadAlbomInfoM() {
    Globals &g = G();
    // Each album keeps the song it remembered; walking backwards lets the first
    // entry of a name win.
    QHash<QString, int> remembered;
    for (int i = qMin(g.AlbomUB, int(g.Alboms.size()) - 1); i >= 0; --i)
        remembered.insert(g.Alboms.at(i).Name, g.Alboms.at(i).NumPesni);

    ListBox &list = frmForma().lstAlbomy;
    list.setItems(P().fs->listFiles(g.AppDir, QStringLiteral(".alb")));
    P().events->DoEvents();

    resizeAlboms(list.ListCount() - 1);
    for (int i = 0; i <= g.AlbomUB; ++i)
        g.Alboms[i] = {list.List(i), remembered.value(list.List(i), 0)};
}

} // namespace tv
