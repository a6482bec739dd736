#pragma once

#include <QByteArray>
#include <QString>

namespace tv {

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
