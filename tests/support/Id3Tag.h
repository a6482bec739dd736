#pragma once

#include <QByteArray>
#include <QString>
#include <QStringEncoder>

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

// Big-endian sizes: seven bits a byte (syncsafe) in v2.4 frames and in every
// header, eight in v2.3 frames, three bytes in v2.2 frames.
inline QByteArray id3Size(quint32 size, int bytes, int bits) {
    QByteArray out(bytes, '\0');
    for (int i = bytes - 1; i >= 0; --i, size >>= bits)
        out[i] = char(size & ((1u << bits) - 1));
    return out;
}

// One frame of an ID3v2 tag of the given major version (2, 3 or 4).
inline QByteArray id3v2Frame(int version, const QByteArray &id, const QByteArray &data) {
    if (version == 2)
        return id + id3Size(quint32(data.size()), 3, 8) + data;
    return id + id3Size(quint32(data.size()), 4, version == 4 ? 7 : 8) + QByteArray(2, '\0') + data;
}

// A text frame: its encoding byte (0 Latin-1, 1 UTF-16 with BOM, 2 UTF-16BE,
// 3 UTF-8), then the text's bytes as they stand.
inline QByteArray id3v2Text(int version, const QByteArray &id, char encoding,
                            const QByteArray &text) {
    return id3v2Frame(version, id, encoding + text);
}

// An ID3v2 tag at the start of a file: header and frames, its size taken from
// them unless told (a tag that claims more than it holds).
inline QByteArray id3v2(int version, const QByteArray &frames, char flags = 0,
                        qint64 claimed = -1) {
    const quint32 size = quint32(claimed < 0 ? frames.size() : claimed);
    return "ID3" + QByteArray(1, char(version)) + QByteArray(1, '\0') + QByteArray(1, flags) +
           id3Size(size, 4, 7) + frames;
}

// UTF-16 without a byte-order mark, big- or little-endian.
inline QByteArray utf16(const QString &text, bool bigEndian) {
    return QStringEncoder(bigEndian ? QStringEncoder::Utf16BE : QStringEncoder::Utf16LE)(text);
}

} // namespace tv::test
