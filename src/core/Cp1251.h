#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace tv {

// Windows-1251, the code page of the program's files.
struct Cp1251 {
    static QString decode(QByteArrayView bytes);
    static QString decode(const char *bytes, qsizetype size) {
        return decode(QByteArrayView(bytes, size));
    }
    // The same into a string whose room is reused: scans over many texts
    // need not allocate one per text.
    static void decode(QByteArrayView bytes, QString *text);
    // Whether every character of the text has a byte in the code page.
    static bool fits(const QString &text);
    // Characters without a byte become "?"; check fits() first.
    static QByteArray encode(const QString &text);
    // The same into room for text.size() bytes: an album's store takes its
    // songs with no copy made for each.
    static void encode(QStringView text, char *out);
};

} // namespace tv
