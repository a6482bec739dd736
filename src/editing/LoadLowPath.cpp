#include "core/Cp1251.h"
#include "core/Forma.h"
#include "core/SongEntry.h"
#include "core/Utf8.h"
#include "editing/AddFilesM.h"

#include <algorithm>

namespace tv {

namespace {

constexpr quint64 kFnvOffset = 14695981039346656037ull;
constexpr quint64 kFnvPrime = 1099511628211ull;

void feed(quint64 &hash, char32_t c) {
    hash = (hash ^ c) * kFnvPrime;
}

// The one letter whose lower case is two characters (SpecialCasing.txt).
constexpr char32_t kCapitalIWithDot = 0x0130;
constexpr char32_t kCombiningDotAbove = 0x0307;

// The hash of the text lower-cased as QString::toLower does, code point by
// code point, without making the lower-cased copy.
quint64 lowerHash(QStringView text) {
    quint64 hash = kFnvOffset;
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text[i].unicode();
        if (c < 0x80) {
            feed(hash, c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
            continue;
        }
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            c = QChar::surrogateToUcs4(char16_t(c), text[++i].unicode());
        if (c == kCapitalIWithDot) {
            feed(hash, 'i');
            feed(hash, kCombiningDotAbove);
        } else {
            feed(hash, QChar::toLower(c));
        }
    }
    return hash;
}

// The path part of an entry's bytes (songPathView) in one string reused for
// every song. In 1251 a character is a byte, so the path is found in the
// bytes and only it is decoded.
void pathInto(bool utf8, QByteArrayView entry, QString *path) {
    if (utf8) {
        *path = songPathView(Utf8::decode(entry.data(), entry.size())).toString();
        return;
    }
    const qsizetype colon = entry.lastIndexOf(':');
    Cp1251::decode(colon < 1 ? entry : entry.sliced(colon - 1), path);
}

} // namespace

LowPath::LowPath(SongList songs) : m_songs(std::move(songs)) {
    m_index.reserve(size_t(m_songs.size()));
    QString path;
    m_songs.everyBytes([this, &path](qsizetype i, QByteArrayView entry) {
        pathInto(m_songs.isUtf8(), entry, &path);
        m_index.emplace_back(lowerHash(path), i);
        return true;
    });
    std::sort(m_index.begin(), m_index.end());
}

// Equal hashes are confirmed on the lower-cased texts themselves.
bool LowPath::contains(const QString &path) const {
    const quint64 hash = lowerHash(path);
    auto it = std::lower_bound(m_index.begin(), m_index.end(), std::make_pair(hash, qsizetype(0)));
    QString low;
    for (; it != m_index.end() && it->first == hash; ++it) {
        if (low.isEmpty())
            low = path.toLower();
        if (songPathView(m_songs.at(it->second)).toString().toLower() == low)
            return true;
    }
    return false;
}

LowPath LoadLowPath() {
    return LowPath(frmForma().ListPath);
}

} // namespace tv
