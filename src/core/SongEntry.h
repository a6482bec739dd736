#pragma once

#include <QString>
#include <QStringView>

namespace tv {

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
    // The entry of such a song: its cleaned title, then its path.
    static QString join(const QString &title, const QString &path);
};

inline QString songTitle(const QString &entry) {
    return SongEntry::split(entry).title;
}
inline QString songPath(const QString &entry) {
    return SongEntry::split(entry).path;
}
// The path part without a copy, for scans over a whole album.
QStringView songPathView(const QString &entry);

} // namespace tv
