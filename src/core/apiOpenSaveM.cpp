#include "core/AlbumCommands.h"

#include "core/AlbumNames.h"
#include "core/Globals.h"
#include "platform/Ports.h"

namespace tv {

QString apiOpenSaveM(int isSave, const QString &initialName) {
    const QList<FileFilter> filters = {
        {G().strAlboms + QStringLiteral(" (*.alb)"), QStringLiteral("*.alb")},
        {QStringLiteral("All Files (*.*)"), QStringLiteral("*.*")},
    };
    return P().dialogs->fileDialog(isSave != 0, G().AppDir, bareName(initialName), filters);
}

} // namespace tv
