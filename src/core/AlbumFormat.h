#pragma once

#include "core/SongList.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

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

// The text of the album list's placeholder for an album never saved.
inline const QString kNewAlbum = QStringLiteral("New");

// The file-name part of a path: what follows its last separator. Dialogs
// may hand back either separator whatever PathSep is, so both count.
QString bareName(const QString &path);

// A name typed without any extension gets ".alb"; one with an extension of
// its own keeps it.
QString withAlbExtension(const QString &path);

// Selects the lstAlbomy entry that names the album (exact text first, else
// without regard to letter case), or none when it is not listed. Returns the
// index selected (-1: none).
int selectAlbumEntry(const QString &name);

// A ListPath entry is the title immediately followed by the path, which starts
// with a drive letter and its colon. The split is at the last ":" - a title
// may hold colons of its own, a path never does. An entry without a drive
// colon (only a hand-edited file holds one) is its own title and path.
struct SongEntry {
    QString title;
    QString path;

    static SongEntry split(const QString &entry);
    // How many characters at the start of the entry are its title: the same
    // split without copying a title that may be megabytes long.
    static qsizetype titleSize(const QString &entry);

    // A title as the program gives it to a song (added, dropped, found,
    // retitled): every control character below U+0020 (a line break in a tag
    // or a pasted title, a tab) becomes a blank, so the title still reads and
    // the song stays on its own line of the album file.
    static QString cleanTitle(QString title);
    // Whether cleanTitle would leave the title as it is.
    static bool isClean(QStringView title);
    // The entry of such a song: its cleaned title, then its path.
    static QString join(const QString &title, const QString &path);
};

inline QString songPath(const QString &entry) {
    return SongEntry::split(entry).path;
}
// The path part without a copy, for scans over a whole album.
QStringView songPathView(const QString &entry);

} // namespace tv
