#include "core/UpDatePlayListM.h"

#include "core/Forma.h"
#include "core/Globals.h"

namespace tv {

void UpDatePlayListM() {
    Forma &f = frmForma();
    int sel = f.PlayList.ListIndex();
    f.PlayList.rebuild();
    // The selected song may be gone from the end (one removed, or several by
    // the title editor): the selection stays on the new last one.
    if (sel >= f.PlayList.ListCount())
        sel = f.PlayList.ListCount() - 1;
    f.PlayList.setListIndex(sel);
    f.setFocusTo(Forma::Control::PlayList);
    G().AlbomChanged = 1;
}

} // namespace tv
