#include "core/AlbumFormat.h"

#include "core/TextLines.h"

namespace tv {

QStringList AlbumFormat::parse(const QByteArray &bytes) {
    QStringList lines = TextLines::decode(bytes);
    int count = 0;
    if (lines.isEmpty() || !TextLines::parseNumber(lines.first(), &count) || count <= 0)
        return {};
    const qsizetype songs = qMin<qsizetype>(count, lines.size() - 1);
    lines.remove(songs + 1, lines.size() - songs - 1);
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

} // namespace tv
