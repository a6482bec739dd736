#include "core/ListModel.h"

namespace tv {

void ListModel::setListIndex(int i) {
    if (i < -1 || i >= ListCount())
        i = -1;
    if (i == m_listIndex)
        return;
    m_listIndex = i;
    emit listIndexChanged(i);
}

int ListModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : ListCount();
}

QVariant ListModel::data(const QModelIndex &index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    return List(index.row());
}

} // namespace tv
