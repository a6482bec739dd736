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
// The v2 tag's header is read with what follows it, a page in all: a tag that
// ends inside it (texts, no picture, little padding) needs no second read.
constexpr qint64 kFirstV2Read = 4096;

QString v1Field(QByteArrayView tag, int at) {
    return cleanTagText(Cp1251::decode(tag.sliced(at, kFieldSize)));
}

TagTexts fromV1(const QByteArray &tag) {
    if (tag.size() < kTagSize || !tag.startsWith("TAG"))
        return {};
    return {v1Field(tag, kArtistAt), v1Field(tag, kTitleAt)};
}

TagTexts fromV2(const QByteArray &tag) {
    const Id3v2Tag::Texts texts = Id3v2Tag::texts(tag);
    return {cleanTagText(texts.artist), cleanTagText(texts.title)};
}

// One opening of the file: the v1 tag's texts from its end, then, unless they
// are there and the v2 tag is not wanted, the v2 tag's bytes from its start
// (up to v2Bytes of them).
FileError readTags(const QString &path, qint64 v2Bytes, bool v2Wanted, TagTexts *v1,
                   QByteArray *v2) {
    int step = 0;
    const auto next = [&](qint64 size, const QByteArray &previous, qint64 *offset, qint64 *length) {
        *offset = 0;
        switch (step++) {
        case 0:
            *offset = qMax<qint64>(0, size - kTagSize);
            *length = kTagSize;
            return true;
        case 1:
            *v1 = fromV1(previous);
            *length = kFirstV2Read;
            return v2Wanted || v1->isEmpty();
        case 2:
            // Read again only for bytes of the tag that the file has and the
            // first read did not reach.
            *length = qMin(qMin(Id3v2Tag::size(previous), v2Bytes), size);
            if (*length > previous.size())
                return true;
            *v2 = previous.first(*length);
            return false;
        default:
            *v2 = previous;
            return false;
        }
    };
    return P().fs->readPieces(path, next);
}

// A file that opened but could not be read has no tag; one that did not open
// at all has no title, and the callers fall back to its name.
bool opened(FileError error, const QString &path) {
    if (error == FileError::NotFound || error == FileError::Access)
        return false;
    return error == FileError::None || P().fs->fileExists(path);
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

SongTags readSongTags(const QString &path, qint64 coverBytes) {
    TagTexts v1;
    QByteArray v2;
    readTags(path, coverBytes, true, &v1, &v2);
    SongTags tags{v1, Id3v2Tag::cover(v2, coverBytes)};
    if (tags.texts.isEmpty())
        tags.texts = fromV2(v2);
    return tags;
}

// The v2 tag is read only when the v1 tag gave nothing: every title a v1 tag
// gave stays as it was.
QString InfoMP3M(const QString &path) {
    TagTexts tags;
    QByteArray v2;
    if (!opened(readTags(path, kMostV2Bytes, false, &tags, &v2), path))
        return {};
    if (tags.isEmpty())
        tags = fromV2(v2);
    if (tags.isEmpty())
        return fromFileName(path);
    QString result;
    result.reserve(tags.artist.size() + 3 + tags.title.size());
    return result.append(tags.artist).append(QLatin1String(" - ")).append(tags.title);
}

} // namespace tv
