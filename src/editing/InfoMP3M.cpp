#include "editing/InfoMP3M.h"

#include "core/Cp1251.h"
#include "core/Globals.h"
#include "editing/Id3v2Tag.h"
#include "platform/Ports.h"

namespace tv {

namespace {

constexpr int kTagSize = 128;
constexpr int kFieldSize = 30;
constexpr int kTitleAt = 3;
constexpr int kArtistAt = 33;
// Titles come first in a tag; a picture of many megabytes ahead of them costs
// the title, not the time to read the picture.
constexpr qint64 kMostV2Bytes = 1 << 20;

enum class Opened { Yes, No };

QString v1Field(QByteArrayView tag, int at) {
    return cleanTagText(Cp1251::decode(tag.sliced(at, kFieldSize)));
}

TagTexts fromV1(const QByteArray &tag) {
    if (tag.size() < kTagSize || !tag.startsWith("TAG"))
        return {};
    return {v1Field(tag, kArtistAt), v1Field(tag, kTitleAt)};
}

TagTexts fromV2(const QString &path) {
    QByteArray tag;
    const auto size = [](const QByteArray &head) {
        return qMin(Id3v2Tag::size(head), kMostV2Bytes);
    };
    if (P().fs->readHead(path, Id3v2Tag::kHeaderSize, size, &tag) != FileError::None)
        return {};
    const Id3v2Tag::Texts texts = Id3v2Tag::texts(tag);
    return {cleanTagText(texts.artist), cleanTagText(texts.title)};
}

// The v2 tag is read only when the v1 tag gave nothing: every title a v1 tag
// gave stays as it was.
TagTexts readTags(const QString &path, Opened *opened) {
    QByteArray tail;
    const FileError error = P().fs->readTail(path, kTagSize, &tail);
    // A file that opened but could not be read has no v1 tag; one that did
    // not open at all has no title, and the callers fall back to its name.
    *opened = Opened::Yes;
    if (error == FileError::NotFound || error == FileError::Access ||
        (error != FileError::None && !P().fs->fileExists(path))) {
        *opened = Opened::No;
        return {};
    }
    if (error == FileError::None) {
        if (TagTexts v1 = fromV1(tail); !v1.isEmpty())
            return v1;
    }
    return fromV2(path);
}

QString fromFileName(const QString &path) {
    const qsizetype sep = G().PathSep.isEmpty() ? -1 : path.lastIndexOf(G().PathSep);
    const QString name = sep < 0 ? path : path.mid(sep + G().PathSep.size());
    return name.size() < 4 ? name : name.chopped(4);
}

} // namespace

// Spaces go first, zero bytes after: spaces between the text and a zero fill
// are part of the title as the tagging program wrote it.
QString cleanTagText(QString text) {
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && text.at(from) == QLatin1Char(' '))
        ++from;
    while (to > from && text.at(to - 1) == QLatin1Char(' '))
        --to;
    text = text.mid(from, to - from);
    text.remove(QChar(0));
    return text;
}

TagTexts readTagTexts(const QString &path) {
    Opened opened;
    return readTags(path, &opened);
}

QString InfoMP3M(const QString &path) {
    Opened opened;
    const TagTexts tags = readTags(path, &opened);
    if (opened == Opened::No)
        return {};
    if (tags.isEmpty())
        return fromFileName(path);
    QString result;
    result.reserve(tags.artist.size() + 3 + tags.title.size());
    return result.append(tags.artist).append(QLatin1String(" - ")).append(tags.title);
}

} // namespace tv
