#include "editing/M3uFormat.h"

#include "core/TextLines.h"

#include <QStringDecoder>

#include <algorithm>

namespace tv {

namespace {

// The one mark in front is taken off here; a second one is text.
constexpr auto kKeepMarks = QStringConverter::Flag::ConvertInitialBom;
// Bytes decoded between two pauses: a few milliseconds' work.
constexpr qsizetype kPiece = 1 << 20;

// The decoder the byte-order mark asks for, and how many bytes the mark has.
QStringDecoder decoderFor(const QByteArray &bytes, qsizetype *mark) {
    *mark = 2;
    if (bytes.startsWith("\xFF\xFE"))
        return QStringDecoder(QStringDecoder::Utf16LE, kKeepMarks);
    if (bytes.startsWith("\xFE\xFF"))
        return QStringDecoder(QStringDecoder::Utf16BE, kKeepMarks);
    *mark = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    return QStringDecoder(QStringDecoder::Utf8, kKeepMarks);
}

QByteArrayView piece(const QByteArray &bytes, qsizetype at) {
    return QByteArrayView(bytes).sliced(at, std::min(kPiece, bytes.size() - at));
}

// False when stopped by pause.
bool decode(const QByteArray &bytes, bool utf8Only, const std::function<bool()> &pause,
            QString *text) {
    qsizetype mark = 0;
    QStringDecoder decoder = decoderFor(bytes, &mark);
    text->reserve(bytes.size() - mark);
    for (qsizetype at = mark; at < bytes.size(); at += kPiece) {
        text->append(decoder.decode(piece(bytes, at)));
        if (!pause())
            return false;
    }
    if (mark != 0 || utf8Only || !decoder.hasError())
        return true;
    text->clear();
    for (qsizetype at = 0; at < bytes.size(); at += kPiece) {
        text->append(Cp1251::decode(piece(bytes, at)));
        if (!pause())
            return false;
    }
    return true;
}

bool endsLine(QChar c) {
    return c == QLatin1Char('\n') || c == QLatin1Char('\r');
}

} // namespace

void M3uFormat::read(const QByteArray &bytes, bool utf8Only, const std::function<bool()> &pause,
                     const std::function<void(const QString &)> &take) {
    QString text;
    if (!decode(bytes, utf8Only, pause, &text))
        return;
    for (qsizetype start = 0; start <= text.size() && pause();) {
        qsizetype end = start;
        while (end < text.size() && !endsLine(text.at(end)))
            ++end;
        const QStringView line = QStringView(text).mid(start, end - start).trimmed();
        if (!line.isEmpty() && !line.startsWith(QLatin1Char('#')))
            take(line.toString());
        start = end + 1;
    }
}

QStringList M3uFormat::entries(const QByteArray &bytes, bool utf8Only) {
    QStringList entries;
    read(
        bytes, utf8Only, [] { return true; },
        [&entries](const QString &entry) { entries.append(entry); });
    return entries;
}

} // namespace tv
