// Whether the album holds a path, letter case ignored: the hashed index, and
// its kinds for a folder's files and for given paths, against the plain way
// over the decoded songs. The input's first line holds the paths asked about
// (UTF-8, split by tabs), the rest is an album file.
#include "FuzzCheck.h"

#include "core/AlbumFormat.h"
#include "editing/LowPath.h"

using namespace tv;

namespace {

bool plainlyHeld(const QStringList &songs, const QString &path) {
    const QString low = path.toLower();
    for (const QString &song : songs) {
        if (songPath(song).toLower() == low)
            return true;
    }
    return false;
}

QString folderOf(const QString &path) {
    return path.left(qMax(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\'))) +
                     1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    QString line;
    QByteArray file;
    if (!fuzz::textAndFile(data, size, &line, &file))
        return 0;
    const QStringList asked = line.split(QLatin1Char('\t'));
    const QStringList songs = AlbumFormat::parse(file);
    const LowPath all(songs);
    const LowPath forAsked(songs, asked);
    for (const QString &path : asked) {
        const bool held = plainlyHeld(songs, path);
        fuzz::check(all.contains(path) == held, "index = plain look");
        fuzz::check(forAsked.contains(path) == held, "index of the asked paths = plain look");
        // A folder's index is asked about the files in it: a name after it.
        const QString folder = folderOf(path);
        fuzz::check(folder.size() == path.size() || LowPath(songs, folder).contains(path) == held,
                    "index of the folder = plain look");
    }
    return 0;
}
