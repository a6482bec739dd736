#include "core/AlbumFormat.h"

#include "core/TextLines.h"

#include <algorithm>

namespace tv {

// Only the lines the count names are decoded; the count line is read twice.
QStringList AlbumFormat::parse(const QByteArray &bytes) {
    const QStringList first = TextLines::decode(bytes, 1);
    int count = 0;
    if (first.isEmpty() || !TextLines::parseNumber(first.first(), &count) || count <= 0)
        return {};
    QStringList lines = TextLines::decode(bytes, qsizetype(count) + 1);
    lines.removeFirst();
    return lines;
}

QByteArray AlbumFormat::format(const QStringList &songs) {
    QStringList lines;
    lines.reserve(songs.size() + 1);
    lines.append(TextLines::number(int(songs.size())));
    lines.append(songs);
    return TextLines::encode(lines);
}

bool AlbumFormat::holds(const QStringList &songs) {
    return std::none_of(songs.cbegin(), songs.cend(), [](const QString &song) {
        return song.contains(QLatin1Char('\r')) || song.contains(QLatin1Char('\n'));
    });
}

} // namespace tv
