// The playlist reader on any bytes: every entry is one trimmed line that is
// no comment, and the entries, written again as a playlist in UTF-8 or in
// UTF-16 of either order, read back the same.
#include "FuzzCheck.h"

#include "editing/M3uFormat.h"

#include <QStringEncoder>
#include <algorithm>

using namespace tv;

namespace {

QByteArray written(const QStringList &entries, QStringEncoder::Encoding encoding) {
    const QString text = QStringLiteral("#EXTM3U\r\n") + entries.join(QStringLiteral("\r\n"));
    return QStringEncoder(encoding, QStringEncoder::Flag::WriteBom).encode(text);
}

bool wellFormed(const QString &text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        else if (text.at(i).isSurrogate())
            return false;
    }
    return true;
}

void roundTrips(const QStringList &entries, bool utf8Only) {
    for (const QString &entry : entries) {
        fuzz::check(!entry.isEmpty() && entry == entry.trimmed(), "an entry is trimmed");
        fuzz::check(!entry.startsWith(QLatin1Char('#')), "comments are left out");
        fuzz::check(!entry.contains(QLatin1Char('\n')) && !entry.contains(QLatin1Char('\r')),
                    "an entry is one line");
    }
    fuzz::check(M3uFormat::entries(written(entries, QStringEncoder::Utf16LE), utf8Only) == entries,
                "UTF-16LE again");
    fuzz::check(M3uFormat::entries(written(entries, QStringEncoder::Utf16BE), utf8Only) == entries,
                "UTF-16BE again");
    // UTF-8 holds no lone surrogate, which UTF-16 bytes can give; two
    // entries joined could pair theirs.
    if (std::all_of(entries.begin(), entries.end(), wellFormed))
        fuzz::check(M3uFormat::entries(written(entries, QStringEncoder::Utf8), utf8Only) == entries,
                    "UTF-8 again");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    roundTrips(M3uFormat::entries(bytes, false), false);
    roundTrips(M3uFormat::entries(bytes, true), true);
    return 0;
}
