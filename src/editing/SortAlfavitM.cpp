#include "core/Forma.h"
#include "core/Songs.h"
#include "editing/Sorting.h"

#include <QCollator>
#include <algorithm>

namespace tv {

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

} // namespace tv
