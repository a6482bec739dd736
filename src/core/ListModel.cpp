#include "core/ListModel.h"

#include "core/AlbumFormat.h"

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

PlayListModel::PlayListModel(const SongList &listPath, QObject *parent)
    : ListModel(parent), m_listPath(listPath) {}

QString PlayListModel::List(int i) const {
    if (i < 0 || i >= m_rows || i >= m_listPath.size())
        return {};
    const QString entry = m_listPath.at(i);
    QStringView title = QStringView(entry).left(SongEntry::titleSize(entry));
    if (title.size() > kShownTitle) {
        title = title.left(kShownTitle);
        if (title.back().isHighSurrogate())
            title.chop(1);
    }
    return QString::number(i + 1) + QLatin1Char('.') + title.toString();
}

void PlayListModel::rebuild() {
    beginResetModel();
    m_rows = int(m_listPath.size());
    endResetModel();
    setListIndex(-1);
}

void PlayListModel::appendRows(int count) {
    if (count <= 0)
        return;
    beginInsertRows({}, m_rows, m_rows + count - 1);
    m_rows += count;
    endInsertRows();
}

void PlayListModel::Clear() {
    beginResetModel();
    m_rows = 0;
    endResetModel();
    setListIndex(-1);
}

} // namespace tv
