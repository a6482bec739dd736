#include "core/Forma.h"
#include "core/Globals.h"
#include "core/UpDatePlayListM.h"
#include "editing/Sorting.h"

#include <algorithm>

namespace tv {

// Ctrl+R still reaches here when the album was emptied after the Edit menu
// last opened; an empty album simply stays empty.
void SortReversM() {
    Forma &f = frmForma();
    QStringList &revers = G().ReversName;
    revers = f.ListPath;
    f.ListPath.clear();
    f.ListPath.reserve(revers.size());
    std::copy(revers.crbegin(), revers.crend(), std::back_inserter(f.ListPath));
    UpDatePlayListM();
}

} // namespace tv
