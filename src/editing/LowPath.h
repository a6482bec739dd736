#pragma once

#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

namespace tv {

// The lower-cased paths of the open album's songs as they stand when an add
// operation begins (full Unicode lower-casing): a path found here is already
// in the album, whatever the letter case it was stored with. It indexes
// hashes of the lower-cased paths, so that building it over an album of
// 100,000 songs makes no copy of any of them.
class LowPath {
public:
    explicit LowPath(QStringList songs);

    bool contains(const QString &path) const;
    qsizetype size() const { return m_songs.size(); }

private:
    QStringList m_songs;
    // (hash of the lower-cased path part, song index), sorted.
    std::vector<std::pair<quint64, qsizetype>> m_index;
};

} // namespace tv
