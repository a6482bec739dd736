#include "core/TextLines.h"

#include "core/Cp1251.h"
#include "core/Utf8.h"

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

// Finds where each line ends: its CR or LF, or the end of the bytes. Lines
// end in CR LF, so the next LF is looked for (once, however many lines end
// in a lone CR before it) and a CR only up to it.
class LineEnds {
public:
    explicit LineEnds(const char *end) : m_end(end), m_lf(nullptr) {}

    const char *from(const char *start) {
        if (!m_lf || m_lf < start) {
            m_lf = static_cast<const char *>(std::memchr(start, '\n', size_t(m_end - start)));
            if (!m_lf)
                m_lf = m_end;
        }
        const auto *cr = static_cast<const char *>(std::memchr(start, '\r', size_t(m_lf - start)));
        return cr ? cr : m_lf;
    }

private:
    const char *m_end;
    const char *m_lf;
};

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

// Line ends are found in the bytes themselves: CR and LF are single bytes in
// both encodings and never part of a longer UTF-8 sequence, so each line is
// decoded once, straight into its own string.
QStringList TextLines::decode(const QByteArray &bytes, qsizetype maxLines) {
    const bool utf8 = bytes.startsWith(kUtf8Bom);
    const char *p = bytes.constData() + (utf8 ? kUtf8Bom.size() : 0);
    const char *const end = bytes.constData() + bytes.size();
    QStringList lines;
    if (maxLines > 0)
        lines.reserve(qMin(maxLines, bytes.size() / 2 + 1));
    LineEnds ends(end);
    while (p < end && lines.size() != maxLines) {
        const char *stop = ends.from(p);
        lines.append(utf8 ? Utf8::decode(p, stop - p) : Cp1251::decode(p, stop - p));
        if (stop == end)
            break;
        p = stop + (*stop == '\r' && stop + 1 < end && stop[1] == '\n' ? 2 : 1);
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
