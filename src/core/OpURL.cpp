#include "core/Globals.h"
#include "core/WebLinks.h"
#include "platform/Ports.h"

namespace tv {

void OpURL(const QString &target) {
    QString folder = G().ProgramDir;
    if (folder.size() > 3 && folder.endsWith(G().PathSep))
        folder.chop(G().PathSep.size());
    (void)P().shell->open(target, folder);
}

} // namespace tv
