#pragma once

#include <QRandomGenerator>

namespace tv {

// The Edit menu's commands on the open album: clear, delete, and the sorts.

// The Edit > Sort submenu: each handler runs its routine.
void EditSortAlfavit_Click();
void EditSortRevers_Click();
void EditSortRand_Click();

// Reorder ListPath, then rebuild the playlist.
void SortAlfavitM();
void SortReversM();
void SortRandM();

// Removes the selected song from the open album.
void EditDel_Click();
// Empties the open album.
void EditClear_Click();

// Shuffles ListPath with the given generator, keeps the selected song
// selected at its new row and rebuilds the playlist. SortRandM starts the
// generator from the time of day.
void shuffleListPath(QRandomGenerator &gen);

} // namespace tv
