#pragma once

#include <QByteArray>
#include <QString>

namespace tv {

// The display title of an MP3 file: "artist - title" from its ID3v1 tag, else
// from its ID3v2 tag, else its file name without the last four characters.
// Empty when the file cannot be opened. Reads the file's last 128 bytes, and
// its first tag's bytes only when the last ones hold no usable tag, in one
// opening of the file.
QString InfoMP3M(const QString &path);

// A song's artist and title as its tags give them, cleaned.
struct TagTexts {
    QString artist;
    QString title;
    bool isEmpty() const { return artist.isEmpty() && title.isEmpty(); }
};
// What the remote control shows of a song: its texts as InfoMP3M takes them
// (v1 first, then v2; both empty when neither gives a text) and the picture
// bytes of its front cover (empty when none, or larger than coverBytes).
struct SongTags {
    TagTexts texts;
    QByteArray cover;
};
SongTags readSongTags(const QString &path, qint64 coverBytes);

// A tag's text as a title holds it: no blanks around it, no zero characters.
QString cleanTagText(QString text);

// The ID3v2 tag that opens most MP3 files of the last twenty years, read from
// its bytes alone (the file is reached through the file-system port).
namespace Id3v2Tag {

// The 10 bytes of the header that come first.
constexpr int kHeaderSize = 10;

// How many bytes of the file the tag fills, header and footer included, from
// its first bytes; 0 when they do not open an ID3v2 tag.
qint64 size(const QByteArray &head);

// Artist and title texts of the tag (TPE1/TP1, TIT2/TT2), as they stand.
struct Texts {
    QString artist;
    QString title;
};
Texts texts(const QByteArray &tag);

// The picture bytes of the front cover (else of the first picture), empty
// when the tag holds none or one larger than maxBytes.
QByteArray cover(const QByteArray &tag, qint64 maxBytes);

} // namespace Id3v2Tag

} // namespace tv
