#include "core/Forma.h"
#include "core/Songs.h"
#include "editing/Shuffle.h"
#include "editing/Sorting.h"

#include <QTime>
#include <algorithm>
#include <cmath>

namespace tv {

namespace {

// Draws until it hits an entry not yet placed. Every unplaced entry is equally
// likely; the expected draws for a whole album are n times its harmonic number.
int drawUnused(QRandomGenerator &gen, const QVector<bool> &used) {
    const int n = int(used.size());
    int r;
    do {
        r = std::min(int(std::floor(gen.generateDouble() * n)), n - 1);
    } while (used.at(r));
    return r;
}

} // namespace

void shuffleListPath(QRandomGenerator &gen) {
    Forma &f = frmForma();
    const int selected = f.PlayList.ListIndex();
    const QStringList RandName = f.ListPath;
    QVector<bool> RandUsed(RandName.size(), false);
    QStringList shuffled;
    shuffled.reserve(RandName.size());
    int newRow = -1;
    for (int i = 0; i < RandName.size(); ++i) {
        const int r = drawUnused(gen, RandUsed);
        shuffled.append(RandName.at(r));
        RandUsed[r] = true;
        if (r == selected)
            newRow = i;
    }
    f.PlayList.setListIndex(newRow);
    replaceSongs(std::move(shuffled));
}

void SortRandM() {
    // Seconds since midnight with their fraction, anew for every shuffle.
    QRandomGenerator gen(quint32(QTime::currentTime().msecsSinceStartOfDay()));
    shuffleListPath(gen);
}

} // namespace tv
