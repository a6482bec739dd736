#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <cstring>

namespace tv {

// The line files of the program (settings, albums): Windows-1251, every line
// ending in CR LF. A text that 1251 cannot hold is not lost: then the whole
// file is UTF-8 behind a byte-order mark, which the reader recognises.
struct TextLines {
    static QByteArray encode(const QStringList &lines);
    // Lines end at CR LF, a lone CR or a lone LF; a last line without an end
    // is a line too. With maxLines, no more lines than that are read.
    static QStringList decode(const QByteArray &bytes, qsizetype maxLines = -1);

    // Where each line of such a file lies, for readers that keep the bytes
    // (decode is this scan). CR and LF are single bytes in both encodings and
    // never part of a longer UTF-8 sequence, so lines are found in the bytes.
    class Scan {
    public:
        explicit Scan(const QByteArray &bytes);
        // Whether the file is UTF-8: it begins with the byte-order mark.
        bool utf8() const { return m_utf8; }
        // The next line as its start and size in the bytes; false after
        // the last line.
        bool next(qsizetype *start, qsizetype *size);

    private:
        // Lines end in CR LF, so the next LF is looked for (once, however
        // many lines end in a lone CR before it) and a CR only up to it.
        const char *lineEnd(const char *from);

        const char *m_begin;
        const char *m_end;
        const char *m_at;
        const char *m_lf = nullptr;
        bool m_utf8;
    };

    // Whether the text can be one line of such a file: a control character
    // would end the line (CR, LF) or is no part of a name Windows allows, so
    // a name holding one could write lines of its own into the settings.
    static bool fitsLine(const QString &text);

    // A number line: one blank before a number that is not negative (the
    // minus sign takes its place otherwise) and one after it: " 0 ", "-1 ".
    static QString number(int value);
    // The integer of a number line, blanks around it allowed.
    static bool parseNumber(const QString &line, int *value);
};

inline bool TextLines::Scan::next(qsizetype *start, qsizetype *size) {
    if (m_at >= m_end)
        return false;
    const char *stop = lineEnd(m_at);
    *start = m_at - m_begin;
    *size = stop - m_at;
    if (stop == m_end)
        m_at = m_end;
    else
        m_at = stop + (*stop == '\r' && stop + 1 < m_end && stop[1] == '\n' ? 2 : 1);
    return true;
}

inline const char *TextLines::Scan::lineEnd(const char *from) {
    if (!m_lf || m_lf < from) {
        m_lf = static_cast<const char *>(std::memchr(from, '\n', size_t(m_end - from)));
        if (!m_lf)
            m_lf = m_end;
    }
    const auto *cr = static_cast<const char *>(std::memchr(from, '\r', size_t(m_lf - from)));
    return cr ? cr : m_lf;
}

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
