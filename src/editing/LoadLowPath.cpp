#include "core/Cp1251.h"
#include "core/Forma.h"
#include "core/SongEntry.h"
#include "core/Utf8.h"
#include "editing/AddFilesM.h"

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

// The hash of the text lower-cased, code point by code point, without making
// the lower-cased copy.
quint64 lowerHash(QStringView text) {
    LowHash hash;
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            c = QChar::surrogateToUcs4(char16_t(c), text[++i].unicode());
        if (c == kCapitalIWithDot) {
            hash.feed('i');
            hash.feed(kCombiningDotAbove);
        } else {
            hash.feed(lower(c));
        }
    }
    return hash.value();
}

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

// The same hash of the path part of an entry's bytes (songPathView), read
// from the bytes themselves: in 1251 a character is a byte, so the path is
// found in the bytes and none of it is decoded.
quint64 pathHash(bool utf8, QByteArrayView entry, QString *scratch) {
    if (utf8) {
        *scratch = songPathView(Utf8::decode(entry.data(), entry.size())).toString();
        return lowerHash(*scratch);
    }
    static const LowBytes table;
    const qsizetype colon = entry.lastIndexOf(':');
    LowHash hash;
    for (const char byte : colon < 1 ? entry : entry.sliced(colon - 1))
        hash.feed(table.low[uchar(byte)]);
    return hash.value();
}

} // namespace

LowPath::LowPath(SongList songs) : m_songs(std::move(songs)) {
    size_t count = 16;
    while (count < size_t(m_songs.size()) * 2)
        count *= 2;
    m_slots.assign(count, {0, -1});
    m_mask = count - 1;
    QString scratch;
    m_songs.everyBytes([this, &scratch](qsizetype i, QByteArrayView entry) {
        const quint64 hash = pathHash(m_songs.isUtf8(), entry, &scratch);
        quint64 at = hash & m_mask;
        while (m_slots[at].song >= 0)
            at = (at + 1) & m_mask;
        m_slots[at] = {quint32(hash >> 32), qint32(i)};
        return true;
    });
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

} // namespace tv
