#include "core/PlayListModel.h"

#include "core/SongEntry.h"

namespace tv {

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
