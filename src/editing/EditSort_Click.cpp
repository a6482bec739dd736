#include "editing/Sorting.h"

namespace tv {

void EditSortAlfavit_Click() {
    SortAlfavitM();
}

void EditSortRevers_Click() {
    SortReversM();
}

void EditSortRand_Click() {
    SortRandM();
}

} // namespace tv
