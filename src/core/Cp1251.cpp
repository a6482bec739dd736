#include "core/Cp1251.h"

namespace tv {

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

} // namespace tv
