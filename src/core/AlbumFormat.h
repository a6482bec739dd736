#pragma once

#include <QByteArray>
#include <QStringList>

#include "core/SongList.h"

namespace tv {

// The bytes of an album file and its songs ("title" immediately followed by
// the path, one entry a line), both ways. Every reader of album files (the
// album reader, the search, the benchmark) goes through here.
struct AlbumFormat {
    // The count line, then that many songs - never more than the file holds,
    // so a damaged count neither allocates nor waits for missing lines. A
    // count that is not a positive number reads no songs.
    static QStringList parse(const QByteArray &bytes);
    // The same songs, held in the file's own bytes, which it takes over.
    static SongList read(QByteArray bytes);
    static QByteArray format(const QStringList &songs);
    // The same bytes as format(songs.toList()), without decoding each song.
    static QByteArray format(const SongList &songs);
    // Whether format() gives each song a line of its own: a CR or LF inside
    // one would end it early, and the rest would be read back as songs the
    // album never held while its own last songs were lost.
    static bool holds(const QStringList &songs);
    static bool holds(const SongList &songs);
};

} // namespace tv
