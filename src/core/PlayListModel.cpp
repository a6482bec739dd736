#include "core/PlayListModel.h"

#include "core/SongEntry.h"

namespace tv {

PlayListModel::PlayListModel(const QStringList &listPath, QObject *parent)
    : QAbstractListModel(parent), m_listPath(listPath) {}

QString PlayListModel::List(int i) const {
    if (i < 0 || i >= m_rows)
        return {};
    return QString::number(i + 1) + QLatin1Char('.') + songTitle(m_listPath.value(i));
}

void PlayListModel::rebuild() {
    beginResetModel();
    m_rows = int(m_listPath.size());
    endResetModel();
    setListIndex(-1);
}

void PlayListModel::appendRow() {
    beginInsertRows({}, m_rows, m_rows);
    ++m_rows;
    endInsertRows();
}

void PlayListModel::Clear() {
    beginResetModel();
    m_rows = 0;
    endResetModel();
    setListIndex(-1);
}

void PlayListModel::setListIndex(int i) {
    if (i < -1 || i >= m_rows)
        i = -1;
    if (i == m_listIndex)
        return;
    m_listIndex = i;
    emit listIndexChanged(i);
}

int PlayListModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : m_rows;
}

QVariant PlayListModel::data(const QModelIndex &index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    return List(index.row());
}

} // namespace tv
