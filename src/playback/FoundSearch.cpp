#include "playback/FoundSearch.h"

#include "core/AlbumFormat.h"
#include "core/Forma.h"
#include "core/Globals.h"
#include "core/Songs.h"
#include "core/TextLines.h"
#include "editing/AddFiles.h"
#include "platform/Ports.h"

#include <QSet>
#include <algorithm>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace tv {

void FoundSearchM(const QString &text) {
    Globals &g = G();
    g.Found.clear();
    const FoundMatcher matcher(text);
    const QVector<AlbomInfo> albums = g.Alboms;
    for (const AlbomInfo &album : albums) {
        QByteArray bytes;
        if (P().fs->readFile(g.AppDir + album.Name, &bytes, kAlbumFileLimit) != FileError::None)
            continue;
        for (SongEntry &song : matcher.songsIn(bytes))
            g.Found.append({album.Name, std::move(song.title), std::move(song.path)});
    }
}

namespace {

// The songs of Found(first) to Found(first + count - 1) whose files the album
// did not hold before, letter case ignored as in the browser; a path found
// in several albums is taken once, but paths that differ in letter case are
// other files.
QStringList newSongs(int first, int count) {
    const LowPath held = LoadLowPath();
    QSet<QString> taken;
    QStringList songs;
    const int last = std::min(first + count, int(G().Found.size()));
    for (int k = std::max(first, 0); k < last; ++k) {
        const FoundInfo &found = G().Found.at(k);
        if (taken.contains(found.Path) || held.contains(found.Path))
            continue;
        taken.insert(found.Path);
        songs.append(SongEntry::join(found.Title, found.Path));
    }
    return songs;
}

void appendAndSelect(const QStringList &songs) {
    if (songs.isEmpty())
        return;
    appendSongs(songs);
    PlayListModel &playList = frmForma().PlayList;
    playList.setListIndex(playList.ListCount() - 1);
}

} // namespace

void AddFoundSong(int k) {
    appendAndSelect(newSongs(k, 1));
}

void AddAllFound(int count) {
    appendAndSelect(newSongs(0, count));
}

namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

// Each Windows-1251 byte as the byte of its small letter. Every capital of
// the code page has its small letter there too, one character for one, so
// lower-casing the bytes is lower-casing the text.
using ByteTable = std::array<uchar, 256>;
const ByteTable &lowerBytes() {
    static const ByteTable table = [] {
        ByteTable t{};
        for (int b = 0; b < 256; ++b) {
            const QString lower = Cp1251::decode(QByteArray(1, char(b))).toLower();
            const QByteArray back = Cp1251::fits(lower) ? Cp1251::encode(lower) : QByteArray();
            t[b] = back.size() == 1 ? uchar(back[0]) : uchar(b);
        }
        return t;
    }();
    return table;
}

bool isLineEnd(uchar c) {
    return c == '\r' || c == '\n';
}

// Past the end mark at i: CR LF is one mark, as the album reader reads it.
qsizetype afterLineEnd(const uchar *bytes, qsizetype i, qsizetype size) {
    return bytes[i] == '\r' && i + 1 < size && bytes[i + 1] == '\n' ? i + 2 : i + 1;
}

qsizetype lineEndFrom(const uchar *bytes, qsizetype i, qsizetype size) {
    while (i < size && !isLineEnd(bytes[i]))
        ++i;
    return i;
}

// How many lines [from, size) holds: CR LF, a lone CR and a lone LF each end
// one, and a last line needs no end mark.
qsizetype countLines(const uchar *bytes, qsizetype from, qsizetype size) {
    qsizetype marks = 0;
    qsizetype i = from;
#ifdef __SSE2__
    // Per byte lane: end marks minus CR LF pairs, summed up before a lane
    // can overflow.
    const __m128i cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n'), zero = _mm_setzero_si128();
    while (i + 17 <= size) {
        __m128i lanes = zero;
        for (int round = 0; round < 127 && i + 17 <= size; ++round, i += 16) {
            const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i *>(bytes + i));
            const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i *>(bytes + i + 1));
            const __m128i isCr = _mm_cmpeq_epi8(a, cr);
            const __m128i crLf = _mm_and_si128(isCr, _mm_cmpeq_epi8(next, lf));
            const __m128i isMark = _mm_or_si128(isCr, _mm_cmpeq_epi8(a, lf));
            lanes = _mm_add_epi8(_mm_sub_epi8(lanes, isMark), crLf);
        }
        const __m128i sums = _mm_sad_epu8(lanes, zero);
        marks += _mm_cvtsi128_si32(sums) + _mm_extract_epi16(sums, 4);
    }
#endif
    for (; i < size; i = afterLineEnd(bytes, i, size)) {
        i = lineEndFrom(bytes, i, size);
        if (i == size)
            return marks + 1;
        ++marks;
    }
    return marks;
}

// Where the end mark of the n-th line from `from` is; the file's size when
// it has fewer lines.
qsizetype endOfLine(const uchar *bytes, qsizetype from, qsizetype size, qsizetype n) {
    qsizetype i = lineEndFrom(bytes, from, size);
    for (qsizetype line = 1; line < n && i < size; ++line)
        i = lineEndFrom(bytes, afterLineEnd(bytes, i, size), size);
    return i;
}

// Where the path of the song line [start, end) begins: at the drive letter
// before the last ":"; a line without a drive colon is all path (SongEntry).
qsizetype pathStart(const uchar *bytes, qsizetype start, qsizetype end) {
    for (qsizetype i = end - 1; i > start; --i) {
        if (bytes[i] == ':')
            return i - 1;
    }
    return start;
}

// The bytes whose small letter is `lower`: the letter and its capital.
QByteArray lettersOf(uchar lower) {
    QByteArray letters;
    const ByteTable &table = lowerBytes();
    for (int b = 0; b < 256; ++b) {
        if (table[b] == lower)
            letters += char(b);
    }
    return letters;
}

} // namespace

FoundMatcher::FoundMatcher(const QString &text) : m_low(text.toLower()) {
    // A line never holds a line end, so a text with one is found nowhere.
    m_in1251 = !m_low.isEmpty() && Cp1251::fits(m_low) && !m_low.contains(QLatin1Char('\r')) &&
               !m_low.contains(QLatin1Char('\n'));
    if (!m_in1251)
        return;
    m_needle = Cp1251::encode(m_low);
    m_first = lettersOf(uchar(m_needle.front()));
    m_last = lettersOf(uchar(m_needle.back()));
}

QVector<SongEntry> FoundMatcher::songsIn(const QByteArray &file) const {
    if (file.startsWith(kUtf8Bom) || m_low.isEmpty())
        return songsInText(AlbumFormat::parse(file));
    // A text that 1251 cannot hold is in no song of a 1251 file.
    if (!m_in1251)
        return {};
    return songsIn1251(file);
}

QVector<SongEntry> FoundMatcher::songsInText(const QStringList &songs) const {
    QVector<SongEntry> found;
    for (const QString &song : songs) {
        SongEntry entry = SongEntry::split(song);
        if (entry.path.toLower().contains(m_low))
            found.append(std::move(entry));
    }
    return found;
}

// The text is looked for in all the songs at once; each place where it
// occurs is then checked to lie in a path.
QVector<SongEntry> FoundMatcher::songsIn1251(const QByteArray &file) const {
    const auto *bytes = reinterpret_cast<const uchar *>(file.constData());
    const qsizetype size = file.size();
    const qsizetype countEnd = lineEndFrom(bytes, 0, size);
    int count = 0;
    const QString countLine = Cp1251::decode(file.left(countEnd));
    if (countEnd == size || !TextLines::parseNumber(countLine, &count) || count <= 0)
        return {};
    const qsizetype first = afterLineEnd(bytes, countEnd, size);
    // Lines beyond the count are no songs; a file written by the program has none.
    qsizetype end = size;
    if (countLines(bytes, first, size) > count)
        end = endOfLine(bytes, first, size, count);

    QVector<SongEntry> found;
    for (qsizetype pos = first;;) {
        const qsizetype hit = find(bytes, pos, end);
        if (hit < 0)
            break;
        qsizetype start = hit;
        while (start > first && !isLineEnd(bytes[start - 1]))
            --start;
        const qsizetype lineEnd = lineEndFrom(bytes, hit, end);
        const qsizetype path = pathStart(bytes, start, lineEnd);
        if (hit < path) {
            pos = path;
            continue;
        }
        const QByteArray line = QByteArray::fromRawData(file.constData() + start, lineEnd - start);
        found.append(SongEntry::split(Cp1251::decode(line)));
        pos = lineEnd;
    }
    return found;
}

bool FoundMatcher::matchesAt(const uchar *at) const {
    const ByteTable &lower = lowerBytes();
    const auto *needle = reinterpret_cast<const uchar *>(m_needle.constData());
    for (qsizetype j = 0; j < m_needle.size(); ++j) {
        if (lower[at[j]] != needle[j])
            return false;
    }
    return true;
}

// Where the text first occurs in [from, size), letter case ignored; -1: nowhere.
// Sixteen places at a time are tested for the first and the last letter of
// the text, in either case; only where both fit are the others compared.
qsizetype FoundMatcher::find(const uchar *bytes, qsizetype from, qsizetype size) const {
    const qsizetype m = m_needle.size();
    qsizetype i = from;
#ifdef __SSE2__
    if (m_first.size() <= 2 && m_last.size() <= 2) {
        auto letter = [](const QByteArray &forms, int k) {
            return _mm_set1_epi8(forms.at(std::min<qsizetype>(k, forms.size() - 1)));
        };
        const __m128i f0 = letter(m_first, 0), f1 = letter(m_first, 1);
        const __m128i l0 = letter(m_last, 0), l1 = letter(m_last, 1);
        for (; i + m - 1 + 16 <= size; i += 16) {
            const auto *a = reinterpret_cast<const __m128i *>(bytes + i);
            const auto *b = reinterpret_cast<const __m128i *>(bytes + i + m - 1);
            const __m128i x = _mm_loadu_si128(a), y = _mm_loadu_si128(b);
            const __m128i fx = _mm_or_si128(_mm_cmpeq_epi8(x, f0), _mm_cmpeq_epi8(x, f1));
            const __m128i ly = _mm_or_si128(_mm_cmpeq_epi8(y, l0), _mm_cmpeq_epi8(y, l1));
            for (auto mask = unsigned(_mm_movemask_epi8(_mm_and_si128(fx, ly))); mask;
                 mask &= mask - 1) {
                const qsizetype at = i + __builtin_ctz(mask);
                if (matchesAt(bytes + at))
                    return at;
            }
        }
    }
#endif
    for (; i + m <= size; ++i) {
        if (matchesAt(bytes + i))
            return i;
    }
    return -1;
}

} // namespace tv
