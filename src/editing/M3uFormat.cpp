#include "editing/M3uFormat.h"

#include "core/Cp1251.h"

#include <QStringDecoder>

namespace tv {

namespace {

// The one mark in front is taken off here; a second one is text.
constexpr auto kKeepMarks = QStringConverter::Flag::ConvertInitialBom;

QString decoded(const QByteArray &bytes, bool utf8Only) {
    if (bytes.startsWith("\xFF\xFE"))
        return QStringDecoder(QStringDecoder::Utf16LE, kKeepMarks).decode(bytes.mid(2));
    if (bytes.startsWith("\xFE\xFF"))
        return QStringDecoder(QStringDecoder::Utf16BE, kKeepMarks).decode(bytes.mid(2));
    const bool marked = bytes.startsWith("\xEF\xBB\xBF");
    const QByteArray body = marked ? bytes.mid(3) : bytes;
    QStringDecoder utf8(QStringDecoder::Utf8, kKeepMarks);
    QString text = utf8.decode(body);
    if (!marked && !utf8Only && utf8.hasError())
        text = Cp1251::decode(body);
    return text;
}

} // namespace

QStringList M3uFormat::entries(const QByteArray &bytes, bool utf8Only) {
    const QString text = decoded(bytes, utf8Only);
    QStringList entries;
    qsizetype start = 0;
    while (start <= text.size()) {
        qsizetype end = start;
        while (end < text.size() && text.at(end) != QLatin1Char('\n') &&
               text.at(end) != QLatin1Char('\r'))
            ++end;
        const QString line = QStringView(text).mid(start, end - start).trimmed().toString();
        if (!line.isEmpty() && !line.startsWith(QLatin1Char('#')))
            entries.append(line);
        start = end + 1;
    }
    return entries;
}

} // namespace tv
