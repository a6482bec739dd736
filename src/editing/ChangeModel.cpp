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
QStringView titleOf(const QString &entry) {
    return QStringView(entry).left(SongEntry::titleSize(entry));
}

QString pathOf(const QString &entry) {
    return entry.mid(SongEntry::titleSize(entry));
}

} // namespace

ChangeModel::ChangeModel(QObject *parent) : ListModel(parent) {
    const Forma &forma = frmForma();
    m_caption = forma.EditChange.Caption();
    m_entries = forma.ListPath.toList();
    connect(this, &ListModel::listIndexChanged, this, &ChangeModel::List1_Click);
    setListIndex(forma.PlayList.ListIndex());
    m_changeCaption = G().strChange;
    m_cancelCaption = G().strCancel;
}

QString ChangeModel::List(int i) const {
    if (i < 0 || i >= m_entries.size())
        return QString();
    return titleOf(m_entries.at(i)).toString();
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
    QString &entry = m_entries[i];
    if (titleOf(entry) == title)
        return;
    entry = SongEntry::join(title, pathOf(entry));
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
    m_entries.swapItemsAt(a, b);
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
    entries.reserve(m_entries.size());
    for (const QString &entry : m_entries) {
        const QStringView title = titleOf(entry);
        entries << (SongEntry::isClean(title) ? entry
                                              : SongEntry::join(title.toString(), pathOf(entry)));
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
