#pragma once

#include <QAbstractListModel>
#include <QStringList>

namespace tv {

// A list box as the logic sees it: entries in the order they were added and
// one selected entry (ListIndex, -1: none). Views bind to it as a model.
class ListBox : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    int ListCount() const { return m_items.size(); }
    QString List(int i) const { return m_items.value(i); }
    const QStringList &items() const { return m_items; }

    void AddItem(const QString &text);
    void RemoveItem(int i);
    void Clear();
    void setItems(const QStringList &items);

    int ListIndex() const { return m_listIndex; }
    // Out-of-range values select nothing, as -1 does.
    void setListIndex(int i);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

signals:
    void listIndexChanged(int index);

private:
    QStringList m_items;
    int m_listIndex = -1;
};

} // namespace tv
