#include "core/TextLines.h"

#include <cstring>

namespace tv {

namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

// A 1251 file is read as UTF-8 when its first bytes are the byte-order
// mark, so a first line that begins with the mark's three 1251 letters
// ("п»ї") must be written as UTF-8 too.
const QString kMarkIn1251 = Cp1251::decode(kUtf8Bom);

bool needsUtf8(const QStringList &lines) {
    if (!lines.isEmpty() && lines.first().startsWith(kMarkIn1251))
        return true;
    for (const QString &line : lines) {
        if (!Cp1251::fits(line))
            return true;
    }
    return false;
}

} // namespace

QByteArray TextLines::encode(const QStringList &lines) {
    const bool utf8 = needsUtf8(lines);
    qsizetype size = 0;
    for (const QString &line : lines)
        size += line.size() + 2;
    QByteArray bytes;
    bytes.reserve(size + 3);
    if (utf8)
        bytes.append(kUtf8Bom);
    for (const QString &line : lines) {
        bytes.append(utf8 ? Utf8::encode(line) : Cp1251::encode(line));
        bytes.append("\r\n", 2);
    }
    return bytes;
}

TextLines::Scan::Scan(const QByteArray &bytes)
    : m_begin(bytes.constData()), m_end(bytes.constData() + bytes.size()),
      m_utf8(bytes.startsWith(kUtf8Bom)) {
    m_at = m_begin + (m_utf8 ? kUtf8Bom.size() : 0);
}

// Each line is decoded once, straight into its own string.
QStringList TextLines::decode(const QByteArray &bytes, qsizetype maxLines) {
    Scan scan(bytes);
    QStringList lines;
    if (maxLines > 0)
        lines.reserve(qMin(maxLines, bytes.size() / 2 + 1));
    qsizetype start = 0;
    qsizetype size = 0;
    while (lines.size() != maxLines && scan.next(&start, &size)) {
        const char *line = bytes.constData() + start;
        lines.append(scan.utf8() ? Utf8::decode(line, size) : Cp1251::decode(line, size));
    }
    return lines;
}

bool TextLines::fitsLine(const QString &text) {
    for (const QChar ch : text) {
        if (ch.category() == QChar::Other_Control)
            return false;
    }
    return true;
}

QString TextLines::number(int value) {
    return (value < 0 ? QString() : QStringLiteral(" ")) + QString::number(value) +
           QLatin1Char(' ');
}

bool TextLines::parseNumber(const QString &line, int *value) {
    bool ok = false;
    const int v = line.trimmed().toInt(&ok);
    if (ok)
        *value = v;
    return ok;
}

namespace {

// Unicode of the bytes 0x80..0xFF. The one unassigned byte, 0x98, stands for
// U+0098 as Windows maps it, so that every file reads back byte for byte.
constexpr char16_t kHigh[128] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039,
    0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408,
    0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB,
    0x0458, 0x0405, 0x0455, 0x0457, 0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423,
    0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, 0x0438, 0x0439, 0x043A, 0x043B,
    0x043C, 0x043D, 0x043E, 0x043F, 0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

// Every byte's character, so that decoding takes no branch per byte.
struct ByteTable {
    char16_t unit[256];
};
constexpr ByteTable makeByteTable() {
    ByteTable table{};
    for (int b = 0; b < 256; ++b)
        table.unit[b] = b < 0x80 ? char16_t(b) : kHigh[b - 0x80];
    return table;
}
constexpr ByteTable kByteTable = makeByteTable();

// The byte of every character above ASCII that 1251 holds, by the three
// stretches of Unicode they lie in; 0 where it holds none. Looked up with no
// hashing: every song added to an album is checked and encoded here.
struct ReverseTable {
    unsigned char latin[0x40];    // U+0080..U+00BF
    unsigned char cyrillic[0x98]; // U+0400..U+0497
    unsigned char symbols[0x130]; // U+2000..U+212F
    int placed;
};
constexpr ReverseTable makeReverseTable() {
    ReverseTable table{};
    for (int i = 0; i < 128; ++i) {
        const char16_t c = kHigh[i];
        const auto byte = static_cast<unsigned char>(0x80 + i);
        if (c >= 0x80 && c < 0xC0)
            table.latin[c - 0x80] = byte;
        else if (c >= 0x400 && c < 0x498)
            table.cyrillic[c - 0x400] = byte;
        else if (c >= 0x2000 && c < 0x2130)
            table.symbols[c - 0x2000] = byte;
        else
            continue;
        ++table.placed;
    }
    return table;
}
constexpr ReverseTable kReverse = makeReverseTable();
static_assert(kReverse.placed == 128, "every byte's character has its place");

unsigned char highByte(char16_t c) {
    if (c >= 0x80 && c < 0xC0)
        return kReverse.latin[c - 0x80];
    if (c >= 0x400 && c < 0x498)
        return kReverse.cyrillic[c - 0x400];
    if (c >= 0x2000 && c < 0x2130)
        return kReverse.symbols[c - 0x2000];
    return 0;
}

} // namespace

// One character per byte through a full table: tags of a whole folder and
// albums of 100,000 songs go through here.
QString Cp1251::decode(QByteArrayView bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = kByteTable.unit[static_cast<unsigned char>(bytes[i])];
    return text;
}

void Cp1251::decode(QByteArrayView bytes, QString *text) {
    text->resize(bytes.size());
    char16_t *out = reinterpret_cast<char16_t *>(text->data());
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = kByteTable.unit[static_cast<unsigned char>(bytes[i])];
}

bool Cp1251::fits(const QString &text) {
    for (const QChar ch : text) {
        if (ch.unicode() >= 0x80 && highByte(ch.unicode()) == 0)
            return false;
    }
    return true;
}

QByteArray Cp1251::encode(const QString &text) {
    QByteArray bytes(text.size(), Qt::Uninitialized);
    encode(text, bytes.data());
    return bytes;
}

void Cp1251::encode(QStringView text, char *out) {
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        const unsigned char high = c < 0x80 ? 0 : highByte(c);
        *out++ = c < 0x80 ? char(c) : high ? char(high) : '?';
    }
}

namespace {

void appendSurrogate(QByteArray &bytes, char16_t unit) {
    bytes.append(char(0xE0 | (unit >> 12)));
    bytes.append(char(0x80 | ((unit >> 6) & 0x3F)));
    bytes.append(char(0x80 | (unit & 0x3F)));
}

// Where the bytes hold a surrogate written on its own: ED A0..BF 80..BF.
const char *nextSurrogate(const char *from, const char *end) {
    while (from < end) {
        const void *hit = std::memchr(from, 0xED, size_t(end - from));
        if (!hit)
            return end;
        const auto *p = static_cast<const unsigned char *>(hit);
        if (end - reinterpret_cast<const char *>(p) >= 3 && p[1] >= 0xA0 && p[1] <= 0xBF &&
            (p[2] & 0xC0) == 0x80)
            return reinterpret_cast<const char *>(p);
        from = reinterpret_cast<const char *>(p) + 1;
    }
    return end;
}

// QString::fromUtf8 drops a byte-order mark at the start of what it is
// given; here a U+FEFF that begins a line or follows a lone surrogate is text.
QString fromUtf8Keeping(const char *bytes, qsizetype size) {
    QString text;
    while (size >= 3 && std::memcmp(bytes, "\xEF\xBB\xBF", 3) == 0) {
        text.append(QChar(0xFEFF));
        bytes += 3;
        size -= 3;
    }
    return text.isEmpty() ? QString::fromUtf8(bytes, size) : text + QString::fromUtf8(bytes, size);
}

} // namespace

QByteArray Utf8::encode(QStringView text) {
    if (text.isValidUtf16())
        return text.toUtf8();
    QByteArray bytes;
    bytes.reserve(text.size() * 3);
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text.at(i).unicode();
        if (QChar::isHighSurrogate(unit) && i + 1 < text.size() &&
            QChar::isLowSurrogate(text.at(i + 1).unicode())) {
            ++i;
            continue;
        }
        if (!QChar::isSurrogate(unit))
            continue;
        bytes.append(text.mid(start, i - start).toUtf8());
        appendSurrogate(bytes, unit);
        start = i + 1;
    }
    bytes.append(text.mid(start).toUtf8());
    return bytes;
}

// A pair of surrogates takes four bytes, one alone three, as any other
// character from U+0800 on.
qsizetype Utf8::size(QStringView text) {
    qsizetype bytes = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text.at(i).unicode();
        if (unit < 0x80) {
            bytes += 1;
        } else if (unit < 0x800) {
            bytes += 2;
        } else if (QChar::isHighSurrogate(unit) && i + 1 < text.size() &&
                   QChar::isLowSurrogate(text.at(i + 1).unicode())) {
            bytes += 4;
            ++i;
        } else {
            bytes += 3;
        }
    }
    return bytes;
}

QString Utf8::decode(const char *bytes, qsizetype size) {
    const char *end = bytes + size;
    const char *hit = nextSurrogate(bytes, end);
    if (hit == end)
        return fromUtf8Keeping(bytes, size);
    QString text;
    while (true) {
        text.append(fromUtf8Keeping(bytes, hit - bytes));
        if (hit == end)
            return text;
        const auto *p = reinterpret_cast<const unsigned char *>(hit);
        text.append(QChar(char16_t(((p[0] & 0x0F) << 12) | ((p[1] & 0x3F) << 6) | (p[2] & 0x3F))));
        bytes = hit + 3;
        hit = nextSurrogate(bytes, end);
    }
}

} // namespace tv
