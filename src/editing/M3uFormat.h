#pragma once

#include <QByteArray>
#include <QStringList>

#include <functional>

namespace tv {

// The entries of an M3U playlist: each line that is neither empty nor a
// "#" comment, blanks around it trimmed. A byte-order mark says UTF-16 (either
// order) or UTF-8; without one the text is UTF-8, and, unless utf8Only (an
// .m3u8), Windows-1251 when it is not valid UTF-8. CR, LF and CR LF all end
// a line.
struct M3uFormat {
    // Hands each entry to take, in order. A playlist of a million lines is
    // read a piece at a time: pause runs between the pieces, and the reading
    // stops when it returns false.
    static void read(const QByteArray &bytes, bool utf8Only, const std::function<bool()> &pause,
                     const std::function<void(const QString &)> &take);
    static QStringList entries(const QByteArray &bytes, bool utf8Only);
};

} // namespace tv
