#include "editing/EditCommands.h"

#include "core/Forma.h"
#include "core/Songs.h"

#include <QCollator>
#include <QTime>
#include <algorithm>
#include <cmath>

namespace tv {

// No refresh and no AlbomChanged: an album emptied by Clear alone is not
// offered for saving when it is closed.
void EditClear_Click() {
    clearSongs();
}

void EditDel_Click() {
    Forma &f = frmForma();
    const int i = f.PlayList.ListIndex();
    // Del acts on the state the menu had when it last opened: by now nothing
    // may be selected, or the row may be gone.
    if (i < 0 || i >= f.ListPath.size())
        return;
    SongList songs = f.ListPath;
    songs.removeAt(i);
    replaceSongs(std::move(songs));
}

void EditSortAlfavit_Click() {
    SortAlfavitM();
}

void EditSortRevers_Click() {
    SortReversM();
}

void EditSortRand_Click() {
    SortRandM();
}

// The key is the whole entry: title, then path, with nothing between them.
// ListAlfavit stands for a sorted list box: each entry added goes in after
// every entry that compares equal to it. A stable sort of the whole list gives
// that same order without shifting the list once per entry (100,000 songs).
void SortAlfavitM() {
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    QStringList ListAlfavit = frmForma().ListPath;
    std::stable_sort(
        ListAlfavit.begin(), ListAlfavit.end(),
        [&](const QString &a, const QString &b) { return collator.compare(a, b) < 0; });
    replaceSongs(std::move(ListAlfavit));
}

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

// Ctrl+R still reaches here when the album was emptied after the Edit menu
// last opened; an empty album simply stays empty.
void SortReversM() {
    QStringList ReversName = frmForma().ListPath;
    std::reverse(ReversName.begin(), ReversName.end());
    replaceSongs(std::move(ReversName));
}

} // namespace tv
