#pragma once

#include "core/AlbumFormat.h"

#include <QByteArray>
#include <QString>
#include <QVector>

namespace tv {

// The search across all albums: every album of the registry, in registry
// order, as stored on disk. Found and FoundUB are replaced by the songs whose
// path holds the text, letter case ignored; an album file that cannot be read
// is skipped without a word.
void FoundSearchM(const QString &text);

// Found(k) appended to the open album and selected in the playlist, unless
// the album already holds its file.
void AddFoundSong(int k);
// Found(0) to Found(count - 1), each path once, none the album held before
// (letter case ignored); the last one added is selected.
void AddAllFound(int count);

// The songs of one album file whose path holds a text, letter case ignored:
// both sides lower-cased as QString::toLower does it, Cyrillic and Latin
// alike; the title never counts. The file is read as the album reader reads
// it (AlbumFormat): Windows-1251, or UTF-8 behind a byte-order mark; the count
// line, then no more songs than it says or than the file holds.
//
// A search reads every album of the registry, a million songs and more, so a
// Windows-1251 file is searched in its bytes: only the songs found are ever
// decoded.
class FoundMatcher {
public:
    explicit FoundMatcher(const QString &text);

    QVector<SongEntry> songsIn(const QByteArray &file) const;

private:
    QVector<SongEntry> songsIn1251(const QByteArray &file) const;
    QVector<SongEntry> songsInText(const QStringList &songs) const;
    qsizetype find(const uchar *bytes, qsizetype from, qsizetype size) const;
    bool matchesAt(const uchar *at) const;

    QString m_low;
    // m_low in Windows-1251; unused when m_in1251 is false, for then no song
    // of a 1251 file can hold it.
    QByteArray m_needle;
    bool m_in1251 = false;
    // The bytes of the text's first and last letter in either case.
    QByteArray m_first, m_last;
};

} // namespace tv
