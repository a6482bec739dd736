#include "core/Oprog.h"

#include "core/Forma.h"
#include "core/WebLinks.h"

namespace tv {

OprogState frmOprog_Load() {
    return {frmForma().HelpAbout.Caption(),
            QStringLiteral("http://") + QLatin1String(kMakerHost) + QStringLiteral("/site/")};
}

void frmOprog_Label1_Click(const QString &tag) {
    SaveFileUrlm(tag);
}

} // namespace tv
