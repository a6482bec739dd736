#include "core/SongEntry.h"

#include <algorithm>

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

// Looked over before it is copied: nearly every title is clean already.
QString SongEntry::cleanTitle(QString title) {
    const auto control = [](QChar c) { return c.unicode() < 0x20; };
    if (std::none_of(title.cbegin(), title.cend(), control))
        return title;
    std::replace_if(title.begin(), title.end(), control, QLatin1Char(' '));
    return title;
}

QString SongEntry::join(const QString &title, const QString &path) {
    return cleanTitle(title) + path;
}

} // namespace tv
