#pragma once

#include <QAbstractListModel>

namespace tv {

// A list control as the logic sees it: rows for a view and one selected row
// (ListIndex, -1: none). Out-of-range values select nothing, as -1 does.
class ListModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    virtual int ListCount() const = 0;
    virtual QString List(int i) const = 0;

    int ListIndex() const { return m_listIndex; }
    void setListIndex(int i);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

signals:
    void listIndexChanged(int index);

private:
    int m_listIndex = -1;
};

} // namespace tv
