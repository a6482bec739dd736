#include "core/SongEntry.h"

namespace tv {

SongEntry SongEntry::split(const QString &entry) {
    const qsizetype colon = entry.lastIndexOf(QLatin1Char(':'));
    if (colon < 1)
        return {entry, entry};
    return {entry.left(colon - 1), entry.mid(colon - 1)};
}

QStringView songPathView(const QString &entry) {
    const qsizetype colon = entry.lastIndexOf(QLatin1Char(':'));
    return colon < 1 ? QStringView(entry) : QStringView(entry).sliced(colon - 1);
}

qsizetype SongEntry::titleSize(const QString &entry) {
    const qsizetype colon = entry.lastIndexOf(QLatin1Char(':'));
    return colon < 1 ? entry.size() : colon - 1;
}

} // namespace tv
