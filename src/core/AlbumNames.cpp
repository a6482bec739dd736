#include "core/AlbumNames.h"

#include "core/Forma.h"
#include "core/Globals.h"

namespace tv {

QString bareName(const QString &path) {
    qsizetype cut = path.lastIndexOf(QLatin1Char('/'));
    cut = qMax(cut, path.lastIndexOf(QLatin1Char('\\')));
    if (!G().PathSep.isEmpty())
        cut = qMax(cut, path.lastIndexOf(G().PathSep));
    return path.mid(cut + 1);
}

QString withAlbExtension(const QString &path) {
    if (bareName(path).contains(QLatin1Char('.')))
        return path;
    return path + QStringLiteral(".alb");
}

int selectAlbumEntry(const QString &name) {
    ListBox &list = frmForma().lstAlbomy;
    qsizetype found = list.items().indexOf(name);
    for (int i = 0; found < 0 && i < list.ListCount(); ++i) {
        if (list.List(i).compare(name, Qt::CaseInsensitive) == 0)
            found = i;
    }
    list.setListIndex(int(found));
    return list.ListIndex();
}

} // namespace tv
