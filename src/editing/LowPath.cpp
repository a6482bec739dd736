#include "editing/LowPath.h"

#include "core/AlbumFormat.h"
#include "core/Forma.h"
#include "core/TextLines.h"
#include "editing/AddFiles.h"

#include <optional>
#include <string>
#include <vector>

namespace tv {

namespace {

// A hash of lower-cased code points, taken three at a time (21 bits each) so
// that a path costs a third of the multiplications one at a time would.
class LowHash {
public:
    void feed(char32_t c) {
        m_word = m_word << 21 | c;
        if (++m_held == 3)
            mix();
    }
    quint64 value() {
        if (m_held > 0)
            mix();
        quint64 h = m_hash ^ m_count;
        h = (h ^ (h >> 33)) * 0xff51afd7ed558ccdull;
        h = (h ^ (h >> 33)) * 0xc4ceb9fe1a85ec53ull;
        return h ^ (h >> 33);
    }

private:
    void mix() {
        m_hash = (m_hash ^ m_word) * 0x9e3779b97f4a7c15ull;
        m_hash ^= m_hash >> 29;
        m_count += m_held;
        m_word = 0;
        m_held = 0;
    }
    quint64 m_hash = 0;
    quint64 m_word = 0;
    quint64 m_count = 0;
    int m_held = 0;
};

// The one letter whose lower case is two characters (SpecialCasing.txt).
constexpr char32_t kCapitalIWithDot = 0x0130;
constexpr char32_t kCombiningDotAbove = 0x0307;

// A character lower-cased as QString::toLower does it, the Cyrillic capitals
// of an album's paths without asking the tables.
char32_t lower(char32_t c) {
    if (c < 0x80)
        return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
    if (c >= 0x0400 && c < 0x0430)
        return c < 0x0410 ? c + 0x50 : c + 0x20;
    return QChar::toLower(c);
}

// The text lower-cased, code point by code point, each fed to the sink (a
// hash) without making the lower-cased copy.
template <typename Sink> void feedLower(QStringView text, Sink &sink) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            c = QChar::surrogateToUcs4(char16_t(c), text[++i].unicode());
        if (c == kCapitalIWithDot) {
            sink.feed('i');
            sink.feed(kCombiningDotAbove);
        } else {
            sink.feed(lower(c));
        }
    }
}

quint64 lowerHash(QStringView text) {
    LowHash hash;
    feedLower(text, hash);
    return hash.value();
}

// A folder lower-cased: its code points, and the hash of a path fed as far as
// the folder.
struct LowFolder {
    void feed(char32_t c) {
        points.push_back(c);
        hash.feed(c);
    }
    std::u32string points;
    LowHash hash;
};

// Each 1251 byte as the character it lower-cases to (the code page holds no
// capital I with a dot above, nor any character outside the first plane).
struct LowBytes {
    char32_t low[256];
    LowBytes() {
        for (int b = 0; b < 256; ++b) {
            const char byte = char(b);
            low[b] = lower(Cp1251::decode(&byte, 1).at(0).unicode());
        }
    }
};

const LowBytes &lowBytes() {
    static const LowBytes table;
    return table;
}

// The path part of a 1251 entry's bytes (songPathView): in 1251 a character
// is a byte, so the path is found in the bytes and none of it is decoded.
QByteArrayView pathBytes(QByteArrayView entry) {
    const qsizetype colon = entry.lastIndexOf(':');
    return colon < 1 ? entry : entry.sliced(colon - 1);
}

// The same hash of a path in 1251 bytes, read from the bytes themselves.
quint64 bytesHash(QByteArrayView path) {
    const LowBytes &table = lowBytes();
    LowHash hash;
    for (const char byte : path)
        hash.feed(table.low[uchar(byte)]);
    return hash.value();
}

// The hash of the path part of an entry's bytes.
quint64 pathHash(bool utf8, QByteArrayView entry, QString *scratch) {
    if (!utf8)
        return bytesHash(pathBytes(entry));
    *scratch = songPathView(Utf8::decode(entry.data(), entry.size())).toString();
    return lowerHash(*scratch);
}

// In a 1251 album, the hash of an entry's path when it lies directly in the
// folder, found from the folder's own hash and the bytes after it; nothing
// for any other entry.
std::optional<quint64> hashInFolder(QByteArrayView entry, const LowFolder &folder) {
    const QByteArrayView path = pathBytes(entry);
    const qsizetype at = qsizetype(folder.points.size());
    if (path.size() <= at)
        return std::nullopt;
    const LowBytes &table = lowBytes();
    for (qsizetype i = 0; i < at; ++i) {
        if (table.low[uchar(path[i])] != folder.points[size_t(i)])
            return std::nullopt;
    }
    LowHash hash = folder.hash;
    for (const char byte : path.sliced(at)) {
        if (byte == '/' || byte == '\\')
            return std::nullopt;
        hash.feed(table.low[uchar(byte)]);
    }
    return hash.value();
}

// The next code point of a UTF-8 path, read from its bytes, when that gives
// what decoding the whole path would and it lower-cases to one code point:
// a well-formed character, not a surrogate written alone, nor the capital I
// with a dot. Nothing at the end of the path, nor for anything else, which
// *odd then tells: such a path is compared only once decoded whole.
std::optional<char32_t> nextPoint(QByteArrayView path, qsizetype *at, bool *odd) {
    *odd = false;
    if (*at >= path.size())
        return std::nullopt;
    const auto byte = [&](qsizetype i) { return uchar(path[*at + i]); };
    const uchar lead = byte(0);
    const int length = lead < 0x80   ? 1
                       : lead < 0xC2 ? 0
                       : lead < 0xE0 ? 2
                       : lead < 0xF0 ? 3
                       : lead < 0xF5 ? 4
                                     : 0;
    if (length == 0 || path.size() - *at < length) {
        *odd = true;
        return std::nullopt;
    }
    char32_t c = length == 1 ? lead : lead & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) {
            *odd = true;
            return std::nullopt;
        }
        c = c << 6 | (byte(i) & 0x3F);
    }
    static constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kLeast[length] || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000) ||
        c == kCapitalIWithDot) {
        *odd = true;
        return std::nullopt;
    }
    *at += length;
    return c;
}

// In a UTF-8 album, the hash of an entry's path when it may lie directly in
// the folder: its code points are compared with the folder's as far as they
// read plainly, and only a path that matches (or cannot be read plainly) is
// decoded whole. Nothing for a path that is not in the folder.
std::optional<quint64> utf8HashInFolder(QByteArrayView entry, const LowFolder &folder,
                                        QString *scratch) {
    const QByteArrayView path = pathBytes(entry);
    qsizetype at = 0;
    bool odd = false;
    for (const char32_t want : folder.points) {
        const std::optional<char32_t> c = nextPoint(path, &at, &odd);
        if (odd)
            return pathHash(true, entry, scratch);
        if (!c || lower(*c) != want)
            return std::nullopt;
    }
    const QByteArrayView name = path.sliced(at);
    if (name.isEmpty() || name.contains('/') || name.contains('\\'))
        return std::nullopt;
    return pathHash(true, entry, scratch);
}

// How many code points a UTF-8 path lower-cases to; nothing when it cannot be
// told without decoding it whole.
std::optional<size_t> utf8LowCount(QByteArrayView path) {
    size_t count = 0;
    qsizetype at = 0;
    bool odd = false;
    while (nextPoint(path, &at, &odd))
        ++count;
    return odd ? std::nullopt : std::optional<size_t>(count);
}

// Counts the code points a text lower-cases to.
struct Counted {
    void feed(char32_t) { ++count; }
    size_t count = 0;
};

} // namespace

// Places every song that hashOf gives a hash for.
template <typename HashOf> void LowPath::indexEach(HashOf hashOf) {
    size_t count = 16;
    while (count < size_t(m_songs.size()) * 2)
        count *= 2;
    m_slots.assign(count, {0, -1});
    m_mask = count - 1;
    m_songs.everyBytes([this, &hashOf](qsizetype i, QByteArrayView entry) {
        if (const std::optional<quint64> hash = hashOf(entry))
            place(*hash, i);
        return true;
    });
}

LowPath::LowPath(SongList songs) : m_songs(std::move(songs)) {
    QString scratch;
    indexEach([this, &scratch](QByteArrayView entry) -> std::optional<quint64> {
        return pathHash(m_songs.isUtf8(), entry, &scratch);
    });
}

LowPath::LowPath(SongList songs, const QString &folder) : m_songs(std::move(songs)) {
    LowFolder low;
    feedLower(folder, low);
    if (m_songs.isUtf8()) {
        QString scratch;
        indexEach([&low, &scratch](QByteArrayView entry) {
            return utf8HashInFolder(entry, low, &scratch);
        });
        return;
    }
    indexEach([&low](QByteArrayView entry) { return hashInFolder(entry, low); });
}

LowPath::LowPath(SongList songs, const QStringList &asked) : m_songs(std::move(songs)) {
    std::vector<bool> lengths;
    for (const QString &path : asked) {
        Counted low;
        feedLower(path, low);
        if (low.count >= lengths.size())
            lengths.resize(low.count + 1);
        lengths[low.count] = true;
    }
    const auto asks = [&lengths](size_t count) { return count < lengths.size() && lengths[count]; };
    if (m_songs.isUtf8()) {
        QString scratch;
        indexEach([&asks, &scratch](QByteArrayView entry) -> std::optional<quint64> {
            const std::optional<size_t> count = utf8LowCount(pathBytes(entry));
            if (count && !asks(*count))
                return std::nullopt;
            return pathHash(true, entry, &scratch);
        });
        return;
    }
    indexEach([&asks](QByteArrayView entry) -> std::optional<quint64> {
        const QByteArrayView path = pathBytes(entry);
        if (!asks(size_t(path.size())))
            return std::nullopt;
        return bytesHash(path);
    });
}

void LowPath::place(quint64 hash, qsizetype song) {
    quint64 at = hash & m_mask;
    while (m_slots[at].song >= 0)
        at = (at + 1) & m_mask;
    m_slots[at] = {quint32(hash >> 32), qint32(song)};
}

// Equal hashes are confirmed on the lower-cased texts themselves.
bool LowPath::contains(const QString &path) const {
    const quint64 hash = lowerHash(path);
    QString low;
    for (quint64 at = hash & m_mask; m_slots[at].song >= 0; at = (at + 1) & m_mask) {
        if (m_slots[at].high != quint32(hash >> 32))
            continue;
        if (low.isEmpty())
            low = path.toLower();
        if (songPathView(m_songs.at(m_slots[at].song)).toString().toLower() == low)
            return true;
    }
    return false;
}

LowPath LoadLowPath() {
    return LowPath(frmForma().ListPath);
}

LowPath LoadLowPath(const QString &folder) {
    return LowPath(frmForma().ListPath, folder);
}

LowPath LoadLowPath(const QStringList &asked) {
    return LowPath(frmForma().ListPath, asked);
}

} // namespace tv
