#include "playback/FoundModel.h"

#include "core/Globals.h"
#include "playback/FoundSearch.h"

namespace tv {

namespace {
constexpr int kEnter = 13;
}

QString FoundList::List(int i) const {
    if (i < 0 || i >= m_rows || i >= G().Found.size())
        return {};
    return QString::number(i + 1) + QLatin1Char('.') + G().Found.at(i).Title;
}

void FoundList::showFound() {
    beginResetModel();
    m_rows = G().FoundUB() + 1;
    endResetModel();
    setListIndex(-1);
}

void FoundList::Clear() {
    beginResetModel();
    m_rows = 0;
    endResetModel();
    setListIndex(-1);
}

FoundModel::FoundModel() {
    // A row chosen by the mouse or the keys is a click on the list.
    connect(&List1, &ListModel::listIndexChanged, this, &FoundModel::List1_Click);
}

void FoundModel::setState(const FoundState &state) {
    if (state == m_state)
        return;
    m_state = state;
    emit stateChanged();
}

void FoundModel::Text1_Change(const QString &text) {
    m_text = text;
    FoundState s = m_state;
    s.kFound = !text.isEmpty();
    setState(s);
}

void FoundModel::Text1_KeyUp(int keyCode) {
    if (keyCode == kEnter && m_state.kFound)
        kFound_Click();
}

void FoundModel::kFound_Click() {
    FoundState s = m_state;
    s.Enabled = false;
    s.lblInfo = QStringLiteral("Альбом: ");
    setState(s);
    List1.Clear();
    FoundSearchM(m_text);
    List1.showFound();
    s.kAddPapka = List1.ListCount() > 0;
    s.KAddFile = false;
    s.Enabled = true;
    setState(s);
}

void FoundModel::List1_Click() {
    const int i = List1.ListIndex();
    if (i < 0 || i >= G().Found.size())
        return;
    FoundState s = m_state;
    s.lblInfo = QStringLiteral("Альбом: ") + G().Found.at(i).Albom;
    s.KAddFile = true;
    setState(s);
}

void FoundModel::List1_DblClick() {
    const int i = List1.ListIndex();
    if (i >= 0)
        AddFoundSong(i);
}

void FoundModel::List1_KeyUp(int keyCode) {
    if (keyCode == kEnter)
        List1_DblClick();
}

void FoundModel::KAddFile_Click() {
    List1_DblClick();
}

void FoundModel::kAddPapka_Click() {
    FoundState s = m_state;
    s.kAddPapka = false;
    setState(s);
    AddAllFound(List1.ListCount());
}

} // namespace tv
