// The position file, whatever it holds: only whole and sound lines are taken,
// each album once, and what is taken is written back to the same positions.
#include "FuzzCheck.h"

#include "core/Settings.h"

#include <QSet>

using namespace tv;

namespace {

bool same(const SongPosition &a, const SongPosition &b) {
    return a.album == b.album && a.entry == b.entry && a.song == b.song &&
           a.positionMs == b.positionMs && a.lengthMs == b.lengthMs;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QList<SongPosition> read;
    if (!SongPosition::decode(bytes, &read))
        return 0;
    QSet<QString> albums;
    for (const SongPosition &p : read) {
        fuzz::check(p.song >= 0 && p.positionMs >= 0 && p.lengthMs > 0 && !p.album.isEmpty() &&
                        p.fits(),
                    "a sound position");
        fuzz::check(!albums.contains(p.album), "each album once");
        albums.insert(p.album);
    }
    QList<SongPosition> again;
    fuzz::check(SongPosition::decode(SongPosition::encode(read), &again),
                "what is written reads back");
    fuzz::check(again.size() == read.size(), "as many positions");
    for (qsizetype i = 0; i < read.size() && i < again.size(); ++i)
        fuzz::check(same(read.at(i), again.at(i)), "the same positions");
    return 0;
}
