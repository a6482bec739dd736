#pragma once

#include "core/SongList.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace tv {

// The lower-cased paths of the open album's songs as they stand when an add
// operation begins (full Unicode lower-casing): a path found here is already
// in the album, whatever the letter case it was stored with. It is a hash
// table of the lower-cased paths' hashes, so that building it over an album
// of 100,000 songs keeps no decoded copy of any of them and sorts nothing.
class LowPath {
public:
    explicit LowPath(SongList songs);
    // Only the songs directly in the folder (lettered, ending in a
    // separator): it answers for paths in that folder alone, and every other
    // song is passed over on its bytes, neither decoded nor hashed.
    LowPath(SongList songs, const QString &folder);
    // Only the songs whose paths lower-case to as many characters as one of
    // the paths to be asked about: it answers for those paths alone, and the
    // others are passed over on their bytes.
    LowPath(SongList songs, const QStringList &asked);

    bool contains(const QString &path) const;
    qsizetype size() const { return m_songs.size(); }

private:
    template <typename HashOf> void indexEach(HashOf hashOf);
    void place(quint64 hash, qsizetype song);

    SongList m_songs;
    // Each song at the slot the low bits of its lower-cased path's hash pick,
    // or the first free one after it, with the hash's high bits; a free slot
    // has no song (-1).
    struct Slot {
        quint32 high;
        qint32 song;
    };
    std::vector<Slot> m_slots;
    quint64 m_mask = 0;
};

} // namespace tv
