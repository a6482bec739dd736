#include "core/TextLines.h"

#include "core/Cp1251.h"
#include "core/Utf8.h"

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

} // namespace tv
