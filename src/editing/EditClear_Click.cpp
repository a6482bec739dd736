#include "core/Songs.h"
#include "editing/Removing.h"

namespace tv {

// No refresh and no AlbomChanged: an album emptied by Clear alone is not
// offered for saving when it is closed.
void EditClear_Click() {
    clearSongs();
}

} // namespace tv
