#pragma once

#include "core/SongList.h"

#include <QString>
#include <utility>
#include <vector>

namespace tv {

// The lower-cased paths of the open album's songs as they stand when an add
// operation begins (full Unicode lower-casing): a path found here is already
// in the album, whatever the letter case it was stored with. It indexes
// hashes of the lower-cased paths, so that building it over an album of
// 100,000 songs keeps no decoded copy of any of them.
class LowPath {
public:
    explicit LowPath(SongList songs);

    bool contains(const QString &path) const;
    qsizetype size() const { return m_songs.size(); }

private:
    SongList m_songs;
    // (hash of the lower-cased path part, song index), sorted.
    std::vector<std::pair<quint64, qsizetype>> m_index;
};

} // namespace tv
