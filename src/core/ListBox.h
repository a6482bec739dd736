#pragma once

#include "core/ListModel.h"

#include <QStringList>

namespace tv {

// A list box: entries in the order they were added.
class ListBox : public ListModel {
    Q_OBJECT
public:
    using ListModel::ListModel;

    int ListCount() const override { return int(m_items.size()); }
    QString List(int i) const override { return m_items.value(i); }
    const QStringList &items() const { return m_items; }

    void AddItem(const QString &text);
    void RemoveItem(int i);
    void Clear();
    void setItems(const QStringList &items);

private:
    QStringList m_items;
};

} // namespace tv
