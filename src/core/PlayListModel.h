#pragma once

#include <QAbstractListModel>
#include <QStringList>

namespace tv {

// The visible playlist: row i shows its number, "." and the title of ListPath
// entry i. It holds no copy of the titles - a rebuild of 100,000 songs is a
// model reset - but it keeps its own row count, which changes only when it is
// rebuilt, appended to or cleared, exactly as the list box it stands for.
class PlayListModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit PlayListModel(const QStringList &listPath, QObject *parent = nullptr);

    int ListCount() const { return m_rows; }
    QString List(int i) const;

    // Clear and append one row per ListPath entry.
    void rebuild();
    // One more row at the end (the entry just appended to ListPath).
    void appendRow();
    void Clear();

    int ListIndex() const { return m_listIndex; }
    void setListIndex(int i);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

signals:
    void listIndexChanged(int index);

private:
    const QStringList &m_listPath;
    int m_rows = 0;
    int m_listIndex = -1;
};

} // namespace tv
