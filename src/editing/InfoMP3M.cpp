#include "editing/InfoMP3M.h"

#include "core/Cp1251.h"
#include "core/Globals.h"
#include "platform/Ports.h"

namespace tv {

namespace {

constexpr int kTagSize = 128;
constexpr int kFieldSize = 30;
constexpr int kTitleAt = 3;
constexpr int kArtistAt = 33;

// Spaces go first, zero bytes after: spaces between the text and a zero fill
// are part of the title as the tagging program wrote it. In Windows-1251 the
// space and the zero are the bytes 0x20 and 0x00 alone, so the field is
// trimmed before it is decoded.
QString cleanField(QByteArrayView tag, int at) {
    QByteArrayView field = tag.sliced(at, kFieldSize);
    while (!field.isEmpty() && field.front() == ' ')
        field = field.sliced(1);
    while (!field.isEmpty() && field.back() == ' ')
        field.chop(1);
    QString text = Cp1251::decode(field);
    text.remove(QChar(0));
    return text;
}

QString fromTag(const QByteArray &tag) {
    if (tag.size() < kTagSize || !tag.startsWith("TAG"))
        return {};
    const QString title = cleanField(tag, kTitleAt);
    const QString artist = cleanField(tag, kArtistAt);
    if (title.isEmpty() && artist.isEmpty())
        return {};
    QString result;
    result.reserve(artist.size() + 3 + title.size());
    return result.append(artist).append(QLatin1String(" - ")).append(title);
}

QString fromFileName(const QString &path) {
    const qsizetype sep = G().PathSep.isEmpty() ? -1 : path.lastIndexOf(G().PathSep);
    const QString name = sep < 0 ? path : path.mid(sep + G().PathSep.size());
    return name.size() < 4 ? name : name.chopped(4);
}

} // namespace

QString InfoMP3M(const QString &path) {
    QByteArray tag;
    const FileError error = P().fs->readTail(path, kTagSize, &tag);
    // A file that opened but could not be read has no tag; one that did not
    // open at all has no title, and the callers fall back to its name.
    if (error == FileError::NotFound || error == FileError::Access)
        return {};
    if (error != FileError::None && !P().fs->fileExists(path))
        return {};
    const QString fromTagText = error == FileError::None ? fromTag(tag) : QString();
    return fromTagText.isEmpty() ? fromFileName(path) : fromTagText;
}

} // namespace tv
