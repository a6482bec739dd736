#include "core/AlbumFormat.h"

#include "core/Forma.h"
#include "core/Globals.h"
#include "core/TextLines.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace tv {

namespace {

// The one reading of an album's lines, whatever holds the songs: the count
// line, then at most that many lines. Each song line is handed to the sink
// as its start and size in the bytes; the sink is told first how many to
// expect, which a damaged count cannot push past the file's size.
template <typename Sink> void readSongLines(const QByteArray &bytes, Sink &sink) {
    TextLines::Scan lines(bytes);
    qsizetype start = 0;
    qsizetype size = 0;
    if (!lines.next(&start, &size))
        return;
    const char *countLine = bytes.constData() + start;
    int count = 0;
    if (!TextLines::parseNumber(lines.utf8() ? Utf8::decode(countLine, size)
                                             : Cp1251::decode(countLine, size),
                                &count) ||
        count <= 0)
        return;
    sink.expect(lines.utf8(), qMin(qsizetype(count), bytes.size() / 2 + 1));
    for (int i = 0; i < count && lines.next(&start, &size); ++i)
        sink.song(start, size);
}

struct ToStrings {
    explicit ToStrings(const QByteArray &file) : bytes(file) {}

    const QByteArray &bytes;
    bool utf8 = false;
    QStringList songs;

    void expect(bool isUtf8, qsizetype count) {
        utf8 = isUtf8;
        songs.reserve(count);
    }
    void song(qsizetype start, qsizetype size) {
        const char *line = bytes.constData() + start;
        songs.append(utf8 ? Utf8::decode(line, size) : Cp1251::decode(line, size));
    }
};

// The songs moved down inside the file's own bytes, back to back, each
// over lines already read: the store is the file, without its count line
// and line ends.
struct ToStore {
    explicit ToStore(char *file) : bytes(file) {}

    char *bytes;
    bool utf8 = false;
    qsizetype end = 0;
    SongList::Sizes sizes;

    void expect(bool isUtf8, qsizetype count) {
        utf8 = isUtf8;
        sizes.reserve(count);
    }
    void song(qsizetype start, qsizetype size) {
        std::memmove(bytes + end, bytes + start, size_t(size));
        sizes.add(end, size);
        end += size;
    }
};

// Whether every byte of the 1251 songs is a printable letter, so that each
// song is its own line as it stands; *size is then their bytes in all.
bool printable1251(const SongList &songs, qsizetype *size) {
    static const auto plain = [] {
        std::array<bool, 256> table{};
        for (int b = 0x20; b < 256; ++b)
            table[size_t(b)] = b != 0x7F && b != 0x98;
        return table;
    }();
    *size = 0;
    return songs.everyBytes([size](qsizetype, QByteArrayView song) {
        *size += song.size();
        return std::all_of(song.begin(), song.end(), [](char byte) { return plain[uchar(byte)]; });
    });
}

bool isControl(QChar c) {
    return c.unicode() < 0x20;
}

} // namespace

QStringList AlbumFormat::parse(const QByteArray &bytes) {
    ToStrings sink(bytes);
    readSongLines(bytes, sink);
    return std::move(sink.songs);
}

SongList AlbumFormat::read(QByteArray bytes) {
    if (bytes.size() > SongList::kMaxStore)
        return parse(bytes);
    // Before the scan: a shared array would be copied away under it.
    ToStore sink(bytes.data());
    readSongLines(bytes, sink);
    bytes.resize(sink.end);
    bytes.squeeze();
    return SongList::fromStore(std::move(bytes), sink.utf8, std::move(sink.sizes));
}

QByteArray AlbumFormat::format(const QStringList &songs) {
    QStringList lines;
    lines.reserve(songs.size() + 1);
    lines.append(TextLines::number(int(songs.size())));
    lines.append(songs);
    return TextLines::encode(lines);
}

bool AlbumFormat::holds(const QStringList &songs) {
    return std::none_of(songs.cbegin(), songs.cend(), [](const QString &song) {
        return song.contains(QLatin1Char('\r')) || song.contains(QLatin1Char('\n'));
    });
}

// CR and LF are the same bytes in 1251 and in UTF-8: the store tells without
// decoding a song.
bool AlbumFormat::holds(const SongList &songs) {
    return songs.everyBytes([](qsizetype, QByteArrayView bytes) {
        return !bytes.contains('\r') && !bytes.contains('\n');
    });
}

// A 1251 store is the file already but for the count and the line ends;
// anything else is written as the texts would be.
QByteArray AlbumFormat::format(const SongList &songs) {
    qsizetype size = 0;
    if (songs.isUtf8() || !printable1251(songs, &size))
        return format(songs.toList());
    const QByteArray count = Cp1251::encode(TextLines::number(int(songs.size())));
    QByteArray bytes;
    bytes.reserve(count.size() + size + 2 * (songs.size() + 1));
    bytes.append(count).append("\r\n", 2);
    songs.everyBytes([&bytes](qsizetype, QByteArrayView song) {
        bytes.append(song).append("\r\n", 2);
        return true;
    });
    return bytes;
}

QString bareName(const QString &path) {
    qsizetype cut = path.lastIndexOf(QLatin1Char('/'));
    cut = qMax(cut, path.lastIndexOf(QLatin1Char('\\')));
    if (!G().PathSep.isEmpty())
        cut = qMax(cut, path.lastIndexOf(G().PathSep));
    return path.mid(cut + 1);
}

QString withAlbExtension(const QString &path) {
    if (bareName(path).contains(QLatin1Char('.')))
        return path;
    return path + QStringLiteral(".alb");
}

int selectAlbumEntry(const QString &name) {
    ListBox &list = frmForma().lstAlbomy;
    qsizetype found = list.items().indexOf(name);
    for (int i = 0; found < 0 && i < list.ListCount(); ++i) {
        if (list.List(i).compare(name, Qt::CaseInsensitive) == 0)
            found = i;
    }
    list.setListIndex(int(found));
    return list.ListIndex();
}

SongEntry SongEntry::split(const QString &entry) {
    const qsizetype colon = entry.lastIndexOf(QLatin1Char(':'));
    if (colon < 1)
        return {entry, entry};
    return {entry.left(colon - 1), entry.mid(colon - 1)};
}

QStringView songPathView(const QString &entry) {
    const qsizetype colon = entry.lastIndexOf(QLatin1Char(':'));
    return colon < 1 ? QStringView(entry) : QStringView(entry).sliced(colon - 1);
}

qsizetype SongEntry::titleSize(const QString &entry) {
    const qsizetype colon = entry.lastIndexOf(QLatin1Char(':'));
    return colon < 1 ? entry.size() : colon - 1;
}

// Looked over before it is copied: nearly every title is clean already.
bool SongEntry::isClean(QStringView title) {
    return std::none_of(title.cbegin(), title.cend(), isControl);
}

QString SongEntry::cleanTitle(QString title) {
    if (isClean(title))
        return title;
    std::replace_if(title.begin(), title.end(), isControl, QLatin1Char(' '));
    return title;
}

QString SongEntry::join(const QString &title, const QString &path) {
    return cleanTitle(title) + path;
}

} // namespace tv
