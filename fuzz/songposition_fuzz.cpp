// The position file, whatever it holds: a position is taken only whole and
// sound, and what is taken is written back to the same position.
#include "FuzzCheck.h"

#include "core/SongPosition.h"

using namespace tv;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    SongPosition p;
    if (!SongPosition::decode(bytes, &p))
        return 0;
    fuzz::check(p.song >= 0 && p.positionMs >= 0 && p.lengthMs > 0, "a sound position");
    SongPosition again;
    const QByteArray written = p.encode();
    if (written.isEmpty())
        return 0; // a text that no line can hold is not written
    fuzz::check(SongPosition::decode(written, &again), "what is written reads back");
    fuzz::check(again.album == p.album && again.entry == p.entry && again.song == p.song &&
                    again.positionMs == p.positionMs && again.lengthMs == p.lengthMs,
                "the same position");
    return 0;
}
