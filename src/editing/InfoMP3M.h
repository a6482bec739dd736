#pragma once

#include <QString>

namespace tv {

// The display title of an MP3 file: "artist - title" from its ID3v1 tag, or
// its file name without the last four characters when it has no usable tag.
// Empty when the file cannot be opened. Reads only the file's last 128 bytes.
QString InfoMP3M(const QString &path);

} // namespace tv
