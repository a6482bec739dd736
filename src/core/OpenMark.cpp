#include "core/OpenMark.h"

#include "core/Forma.h"

namespace tv {

namespace {

// Kept with the main window, so that a fresh window starts counting anew.
class OpenCount : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    int count = 0;
};

OpenCount &openCount() {
    Forma &f = frmForma();
    auto *count = f.findChild<OpenCount *>(QString(), Qt::FindDirectChildrenOnly);
    return count ? *count : *new OpenCount(&f);
}

} // namespace

int openMark() {
    return openCount().count;
}

void noteAlbumOpened() {
    ++openCount().count;
}

} // namespace tv

#include "OpenMark.moc"
