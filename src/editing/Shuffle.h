#pragma once

#include <QRandomGenerator>

namespace tv {

// Shuffles ListPath with the given generator, keeps the selected song
// selected at its new row and rebuilds the playlist. SortRandM starts the
// generator from the time of day.
void shuffleListPath(QRandomGenerator &gen);

} // namespace tv
