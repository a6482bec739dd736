#pragma once

#include "core/SongList.h"

#include <QAbstractListModel>
#include <QStringList>

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

// The visible playlist: row i shows its number, "." and the title of ListPath
// entry i. It holds no copy of the titles - a rebuild of 100,000 songs is a
// model reset - but it keeps its own row count, which changes only when it is
// rebuilt, appended to or cleared, exactly as the list box it stands for.
class PlayListModel : public ListModel {
    Q_OBJECT
public:
    explicit PlayListModel(const SongList &listPath, QObject *parent = nullptr);
    // The model reads the songs where they are: never from a temporary.
    PlayListModel(SongList &&, QObject * = nullptr) = delete;

    // A row shows at most this much of a title. A line of megabytes (a
    // damaged album) would otherwise be shaped whole at every repaint of the
    // list and of the title panel; ListPath keeps the entry whole.
    static constexpr qsizetype kShownTitle = 2000;

    int ListCount() const override { return m_rows; }
    QString List(int i) const override;

    // Clear and append one row per ListPath entry.
    void rebuild();
    // More rows at the end (the entries just appended to ListPath), in one
    // insertion however many they are.
    void appendRows(int count);
    void Clear();

private:
    const SongList &m_listPath;
    int m_rows = 0;
};

} // namespace tv
