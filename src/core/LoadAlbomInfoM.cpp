#include "core/AlbumCommands.h"

#include "core/AlbumList.h"
#include "core/Globals.h"
#include "core/TextLines.h"
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

    // A name the settings file cannot hold as a line is no album name (nor
    // a file name on Windows): it is left out.
    QVector<AlbomInfo> entries;
    for (const QString &name : P().fs->listFiles(g.AppDir, QStringLiteral(".alb"))) {
        if (TextLines::fitsLine(name))
            entries.append({name, remembered.value(name, 0)});
    }
    setAlbumList(entries);
    P().events->DoEvents();
}

} // namespace tv
