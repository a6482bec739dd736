#include "core/Forma.h"
#include "core/Globals.h"
#include "core/UpDatePlayListM.h"
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
    Globals &g = G();
    const int selected = f.PlayList.ListIndex();
    g.RandName = f.ListPath;
    g.RandUsed.fill(false, g.RandName.size());
    f.ListPath.clear();
    f.ListPath.reserve(g.RandName.size());
    int newRow = -1;
    for (int i = 0; i < g.RandName.size(); ++i) {
        const int r = drawUnused(gen, g.RandUsed);
        f.ListPath.append(g.RandName.at(r));
        g.RandUsed[r] = true;
        if (r == selected)
            newRow = i;
    }
    f.PlayList.setListIndex(newRow);
    UpDatePlayListM();
}

void SortRandM() {
    // Seconds since midnight with their fraction, anew for every shuffle.
    QRandomGenerator gen(quint32(QTime::currentTime().msecsSinceStartOfDay()));
    shuffleListPath(gen);
}

} // namespace tv
