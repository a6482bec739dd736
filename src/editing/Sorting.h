#pragma once

namespace tv {

// The Edit > Sort submenu: each handler runs its routine.
void EditSortAlfavit_Click();
void EditSortRevers_Click();
void EditSortRand_Click();

// Reorder ListPath, then rebuild the playlist.
void SortAlfavitM();
void SortReversM();
void SortRandM();

} // namespace tv
