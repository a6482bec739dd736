#include "editing/ChangeModel.h"

#include "core/AlbumFormat.h"
#include "core/Forma.h"
#include "core/Globals.h"
#include "core/Songs.h"

#include <algorithm>

namespace tv {

namespace {

constexpr int kKeyEscape = 27;
constexpr int kKeyUp = 38;
constexpr int kKeyDown = 40;

// Unlike the playlist's reading of an entry, the editor's split must give the
// entry back unchanged when title and path are joined: an entry without a
// drive colon (only a hand-edited file holds one) is all title, no path.
qsizetype titleEnd(const QString &entry) {
    const qsizetype colon = entry.lastIndexOf(QLatin1Char(':'));
    return colon < 1 ? entry.size() : colon - 1;
}

} // namespace

ChangeModel::ChangeModel(QObject *parent) : ListModel(parent) {
    const Forma &forma = frmForma();
    m_caption = forma.EditChange.Caption();
    const qsizetype n = forma.ListPath.size();
    m_rows.reserve(n);
    for (qsizetype i = 0; i < n; ++i) {
        QString entry = forma.ListPath[i];
        const qsizetype end = titleEnd(entry);
        m_rows.append({std::move(entry), end});
    }
    connect(this, &ListModel::listIndexChanged, this, &ChangeModel::List1_Click);
    setListIndex(forma.PlayList.ListIndex());
    m_changeCaption = G().strChange;
    m_cancelCaption = G().strCancel;
}

QString ChangeModel::List(int i) const {
    if (i < 0 || i >= m_rows.size())
        return QString();
    const Row &row = m_rows[i];
    return row.entry.left(row.titleEnd);
}

void ChangeModel::List1_Click(int index) {
    if (index >= 0)
        setText1(List(index));
}

void ChangeModel::setText1(const QString &text) {
    if (text == m_text1)
        return;
    const bool wasEnabled = kChangeEnabled();
    m_text1 = text;
    emit text1Changed(text);
    if (kChangeEnabled() != wasEnabled)
        emit buttonsChanged();
}

void ChangeModel::Text1_GotFocus() {
    m_text1Focused = true;
    emit buttonsChanged();
}

void ChangeModel::Text1_LostFocus() {
    m_text1Focused = false;
    emit buttonsChanged();
}

bool ChangeModel::Text1_KeyDown(int keyCode) {
    const int i = ListIndex();
    if (keyCode == kKeyUp) {
        // With no row selected there is no row above.
        if (i > 0)
            setListIndex(i - 1);
        return true;
    }
    if (keyCode == kKeyDown) {
        if (i < ListCount() - 1)
            setListIndex(i + 1);
        return true;
    }
    return false;
}

void ChangeModel::Text1_KeyUp(int keyCode) {
    if (keyCode == kKeyEscape)
        unload(false);
}

void ChangeModel::List1_KeyUp(int keyCode) {
    if (keyCode == kKeyEscape)
        unload(false);
}

void ChangeModel::kChange_Click() {
    const int i = ListIndex();
    if (i < 0 || m_text1.isEmpty())
        return;
    // The list shows the title as the album will take it.
    const QString title = SongEntry::cleanTitle(m_text1);
    Row &row = m_rows[i];
    if (QStringView(row.entry).left(row.titleEnd) == title)
        return;
    row.entry = SongEntry::join(title, row.entry.mid(row.titleEnd));
    row.titleEnd = title.size();
    emit dataChanged(index(i), index(i));
    enableOK();
}

void ChangeModel::kUP_Click() {
    const int i = ListIndex();
    if (i <= 0)
        return;
    swapRows(i, i - 1);
    setListIndex(i - 1);
    enableOK();
}

void ChangeModel::kDOWN_Click() {
    const int i = ListIndex();
    if (i < 0 || i >= ListCount() - 1)
        return;
    swapRows(i, i + 1);
    setListIndex(i + 1);
    enableOK();
}

// Moving a row one place is swapping it with its neighbour; the path goes
// with its title.
void ChangeModel::swapRows(int a, int b) {
    m_rows.swapItemsAt(a, b);
    emit dataChanged(index(std::min(a, b)), index(std::max(a, b)));
}

void ChangeModel::enableOK() {
    if (m_okEnabled)
        return;
    m_okEnabled = true;
    emit buttonsChanged();
}

void ChangeModel::kOK_Click() {
    if (!m_okEnabled || m_unloaded)
        return;
    // A title the album held with a control character in it (a hand-edited
    // file) is stored cleaned, as one typed here is.
    QStringList entries;
    entries.reserve(m_rows.size());
    for (const Row &row : m_rows) {
        const QStringView title = QStringView(row.entry).left(row.titleEnd);
        entries << (SongEntry::isClean(title)
                        ? row.entry
                        : SongEntry::join(title.toString(), row.entry.mid(row.titleEnd)));
    }
    replaceSongs(std::move(entries));
    unload(true);
}

void ChangeModel::kCancel_Click() {
    unload(false);
}

void ChangeModel::unload(bool applied) {
    if (m_unloaded)
        return;
    m_unloaded = true;
    emit unloadRequested(applied);
}

} // namespace tv
