#include "core/Cp1251.h"
#include "core/Forma.h"
#include "core/SongEntry.h"
#include "core/Utf8.h"
#include "editing/AddFilesM.h"

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
    indexAll();
}

void LowPath::indexAll() {
    QString scratch;
    indexEach([this, &scratch](QByteArrayView entry) -> std::optional<quint64> {
        return pathHash(m_songs.isUtf8(), entry, &scratch);
    });
}

LowPath::LowPath(SongList songs, const QString &folder) : m_songs(std::move(songs)) {
    if (m_songs.isUtf8()) {
        indexAll();
        return;
    }
    LowFolder low;
    feedLower(folder, low);
    indexEach([&low](QByteArrayView entry) { return hashInFolder(entry, low); });
}

LowPath::LowPath(SongList songs, const QStringList &asked) : m_songs(std::move(songs)) {
    if (m_songs.isUtf8()) {
        indexAll();
        return;
    }
    std::vector<bool> lengths;
    for (const QString &path : asked) {
        Counted low;
        feedLower(path, low);
        if (low.count >= lengths.size())
            lengths.resize(low.count + 1);
        lengths[low.count] = true;
    }
    indexEach([&lengths](QByteArrayView entry) -> std::optional<quint64> {
        const QByteArrayView path = pathBytes(entry);
        if (size_t(path.size()) >= lengths.size() || !lengths[size_t(path.size())])
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
