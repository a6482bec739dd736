#pragma once

#include <QByteArray>
#include <QStringList>

namespace tv {

// What a later copy of the program tells the running one through the one-copy
// guard: "raise\n" (bring the window forward), or "open\n" and then each
// native path to open, UTF-8, ended by a NUL byte. The running copy reads it
// from anyone who can reach its socket, so a request is bounded and checked.
struct CopyRequest {
    // Longer requests are not heard; a sender leaves out the files past it.
    static constexpr qsizetype kMaxBytes = 256 * 1024;

    bool valid = false;
    QStringList files; // empty in a valid request: bring the window forward

    static QByteArray encode(const QStringList &files);
    static CopyRequest decode(const QByteArray &bytes);
};

} // namespace tv
