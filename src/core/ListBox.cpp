#include "core/ListBox.h"

namespace tv {

void ListBox::AddItem(const QString &text) {
    beginInsertRows({}, ListCount(), ListCount());
    m_items.append(text);
    endInsertRows();
}

void ListBox::RemoveItem(int i) {
    if (i < 0 || i >= ListCount())
        return;
    const int sel = ListIndex();
    beginRemoveRows({}, i, i);
    m_items.removeAt(i);
    endRemoveRows();
    if (sel == i)
        setListIndex(-1);
    else if (sel > i)
        setListIndex(sel - 1);
}

void ListBox::Clear() {
    setItems({});
}

void ListBox::setItems(const QStringList &items) {
    beginResetModel();
    m_items = items;
    endResetModel();
    setListIndex(-1);
}

} // namespace tv
