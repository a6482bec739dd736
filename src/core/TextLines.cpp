#include "core/TextLines.h"

#include "core/Cp1251.h"

namespace tv {

namespace {
const QByteArray kUtf8Bom("\xEF\xBB\xBF");
}

QByteArray TextLines::encode(const QStringList &lines) {
    bool fits = true;
    qsizetype size = 0;
    for (const QString &line : lines) {
        fits = fits && Cp1251::fits(line);
        size += line.size() + 2;
    }
    QByteArray bytes;
    bytes.reserve(size + 3);
    if (!fits)
        bytes.append(kUtf8Bom);
    for (const QString &line : lines) {
        bytes.append(fits ? Cp1251::encode(line) : line.toUtf8());
        bytes.append("\r\n", 2);
    }
    return bytes;
}

QStringList TextLines::decode(const QByteArray &bytes) {
    const bool utf8 = bytes.startsWith(kUtf8Bom);
    const QString text =
        utf8 ? QString::fromUtf8(bytes.mid(kUtf8Bom.size())) : Cp1251::decode(bytes);
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines.append(text.mid(start, i - start));
        if (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
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

} // namespace tv
