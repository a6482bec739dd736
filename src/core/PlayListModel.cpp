#include "core/PlayListModel.h"

#include "core/SongEntry.h"

namespace tv {

PlayListModel::PlayListModel(const QStringList &listPath, QObject *parent)
    : ListModel(parent), m_listPath(listPath) {}

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
