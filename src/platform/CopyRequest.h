#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>

namespace tv {

// What a later copy of the program tells the running one through the one-copy
// guard: "raise\n" (bring the window forward), or "open\n", then each native
// path to open, UTF-8, ended by a NUL byte, and one more NUL byte at the end.
// A request says where it ends, so the running copy can answer "heard\n" on
// the same connection once it has taken the files in. The running copy reads
// it from anyone who can reach its socket, so a request is bounded and
// checked; a long list of files goes in as many requests as it takes.
struct CopyRequest {
    // Longer requests are not heard.
    static constexpr qsizetype kMaxBytes = 256 * 1024;

    bool valid = false;
    QStringList files; // empty in a valid request: bring the window forward

    // The requests that hand over these files, in order, each within bounds;
    // a single request to come forward when there are none. A name that no
    // request could hold (empty, with a NUL, or longer than the bound) is
    // left out.
    static QList<QByteArray> encode(const QStringList &files);
    // Whether the bytes read so far reach a request's end (or its bound): no
    // more are waited for.
    static bool ended(const QByteArray &bytes);
    static CopyRequest decode(const QByteArray &bytes);
    // The running copy's answer to a request it took.
    static QByteArray heard();
};

} // namespace tv
