#pragma once

#include <QByteArray>
#include <QString>

namespace tv {

// UTF-8 that gives back every UTF-16 text it was given. A surrogate without
// its partner (a name cut in half by another program) has no UTF-8 form of
// its own; it is written as the three bytes its code would take, and read
// back as that surrogate, instead of becoming "?".
struct Utf8 {
    static QByteArray encode(QStringView text);
    // How many bytes encode() makes of the text, counted without making them.
    static qsizetype size(QStringView text);
    static QString decode(const char *bytes, qsizetype size);
};

} // namespace tv
