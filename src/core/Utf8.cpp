#include "core/Utf8.h"

#include <cstring>

namespace tv {

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
