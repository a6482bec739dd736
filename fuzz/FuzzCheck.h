#pragma once

// What the fuzz targets share: a failed property stops the run with the
// input that broke it (libFuzzer saves it as a crash file).

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <cstdlib>

namespace tv::fuzz {

inline void check(bool holds, const char *what) {
    if (holds)
        return;
    std::fprintf(stderr, "property broken: %s\n", what);
    std::abort();
}

// An input of a first line (as UTF-8 text) and an album file after it;
// false when it holds no line end.
inline bool textAndFile(const uint8_t *data, size_t size, QString *text, QByteArray *file) {
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype newline = input.indexOf('\n');
    if (newline < 0)
        return false;
    *text = QString::fromUtf8(input.left(newline));
    *file = input.mid(newline + 1);
    return true;
}

// The input as UTF-16 code units, every value possible (lone surrogates too).
inline QString utf16(const uint8_t *data, size_t size) {
    QString text;
    text.reserve(qsizetype(size / 2));
    for (size_t i = 0; i + 1 < size; i += 2)
        text.append(QChar(char16_t(data[i] | (data[i + 1] << 8))));
    return text;
}

} // namespace tv::fuzz
