#include "core/Forma.h"
#include "core/Songs.h"
#include "editing/Sorting.h"

#include <algorithm>

namespace tv {

// Ctrl+R still reaches here when the album was emptied after the Edit menu
// last opened; an empty album simply stays empty.
void SortReversM() {
    QStringList ReversName = frmForma().ListPath;
    std::reverse(ReversName.begin(), ReversName.end());
    replaceSongs(std::move(ReversName));
}

} // namespace tv
