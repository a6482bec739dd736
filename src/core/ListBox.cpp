#include "core/ListBox.h"

namespace tv {

void ListBox::AddItem(const QString &text) {
    beginInsertRows({}, m_items.size(), m_items.size());
    m_items.append(text);
    endInsertRows();
}

void ListBox::RemoveItem(int i) {
    if (i < 0 || i >= m_items.size())
        return;
    const int sel = m_listIndex;
    beginRemoveRows({}, i, i);
    m_items.removeAt(i);
    endRemoveRows();
    if (sel == i)
        setListIndex(-1);
    else if (sel > i)
        setListIndex(sel - 1);
}

void ListBox::Clear() { setItems({}); }

void ListBox::setItems(const QStringList &items) {
    beginResetModel();
    m_items = items;
    endResetModel();
    setListIndex(-1);
}

void ListBox::setListIndex(int i) {
    if (i < -1 || i >= m_items.size())
        i = -1;
    if (i == m_listIndex)
        return;
    m_listIndex = i;
    emit listIndexChanged(i);
}

int ListBox::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : m_items.size();
}

QVariant ListBox::data(const QModelIndex &index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_items.size())
        return {};
    return m_items.at(index.row());
}

} // namespace tv
