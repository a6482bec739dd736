// The search in one album file finds exactly the songs that the album reader
// reads and whose path holds the text, letter case ignored: the byte scan of
// a Windows-1251 file against the plain way over the decoded songs.
// The input's first line is the text, the rest the album file.
#include "FuzzCheck.h"

#include "core/AlbumFormat.h"
#include "playback/FoundSearch.h"

using namespace tv;

namespace {

QVector<SongEntry> plainSearch(const QString &text, const QByteArray &file) {
    const QString low = text.toLower();
    QVector<SongEntry> found;
    for (const QString &song : AlbumFormat::parse(file)) {
        SongEntry entry = SongEntry::split(song);
        if (entry.path.toLower().contains(low))
            found.append(entry);
    }
    return found;
}

bool same(const QVector<SongEntry> &a, const QVector<SongEntry> &b) {
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a[i].title != b[i].title || a[i].path != b[i].path)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    QString text;
    QByteArray file;
    if (!fuzz::textAndFile(data, size, &text, &file))
        return 0;
    fuzz::check(same(FoundMatcher(text).songsIn(file), plainSearch(text, file)),
                "byte scan = plain search");
    return 0;
}
