#pragma once

#include <QByteArray>

namespace tv::test {

// An ID3v1 tag as it ends an MP3 file: "TAG", the title and the artist, each
// 30 bytes filled up with pad, then 65 bytes of album, year, comment, genre.
// The texts are bytes as they stand in the file (Windows-1251).
inline QByteArray id3v1(const QByteArray &title, const QByteArray &artist, char pad = '\0',
                        const QByteArray &id = "TAG") {
    auto field = [pad](const QByteArray &text) {
        return text.left(30) + QByteArray(30 - qMin(30, int(text.size())), pad);
    };
    return id + field(title) + field(artist) + QByteArray(65, 'x');
}

} // namespace tv::test
