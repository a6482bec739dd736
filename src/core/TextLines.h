#pragma once

#include <QByteArray>
#include <QStringList>

namespace tv {

// The line files of the program (settings, albums): Windows-1251, every line
// ending in CR LF. A text that 1251 cannot hold is not lost: then the whole
// file is UTF-8 behind a byte-order mark, which the reader recognises.
struct TextLines {
    static QByteArray encode(const QStringList &lines);
    // Lines end at CR LF, a lone CR or a lone LF; a last line without an end
    // is a line too. With maxLines, no more lines than that are read.
    static QStringList decode(const QByteArray &bytes, qsizetype maxLines = -1);

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

} // namespace tv
