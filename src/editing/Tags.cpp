#include "editing/Tags.h"

#include "core/Globals.h"
#include "core/TextLines.h"
#include "editing/TagArena.h"
#include "platform/Ports.h"

#include <algorithm>
#include <taglib/attachedpictureframe.h>
#include <taglib/id3v2header.h>
#include <taglib/id3v2tag.h>

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

namespace tv::Id3v2Tag {

namespace {

QString textOf(const TagLib::ID3v2::FrameListMap &frames, const char *id) {
    const auto found = frames.find(id);
    if (found == frames.end() || found->second.isEmpty())
        return {};
    const TagLib::String text = found->second.front()->toString();
    return QString::fromWCharArray(text.toCWString(), qsizetype(text.size()));
}

// The tag parsed from its bytes alone, with no file or stream around them:
// the header first, then the body it sizes (as much of it as is there).
class TagOfBytes : public TagLib::ID3v2::Tag {
public:
    explicit TagOfBytes(const QByteArray &tag) {
        header()->setData(TagLib::ByteVector(tag.constData(), kHeaderSize));
        const qint64 body = std::min<qint64>(header()->tagSize(), tag.size() - kHeaderSize);
        if (body > 0)
            parse(TagLib::ByteVector(tag.constData() + kHeaderSize, unsigned(body)));
    }
};

// Version 2.2 frames come back under their 2.3 names (TT2 as TIT2). What
// TagLib makes on the way lives in the arena: it is all gone by the return.
template <typename Use> auto withTag(const QByteArray &tag, Use use) {
    const TagArena::Scope arena;
    const TagOfBytes parsed(tag);
    return use(parsed.frameListMap());
}

} // namespace

qint64 size(const QByteArray &head) {
    if (head.size() < kHeaderSize || !head.startsWith("ID3"))
        return 0;
    const TagArena::Scope arena;
    const TagLib::ID3v2::Header header(TagLib::ByteVector(head.constData(), kHeaderSize));
    return header.tagSize() == 0 ? 0 : qint64(header.completeTagSize());
}

// The tag's own header is checked by TagLib; bytes that do not even begin as
// a tag are spared its setting up.
Texts texts(const QByteArray &tag) {
    if (tag.size() < kHeaderSize || !tag.startsWith("ID3"))
        return {};
    return withTag(tag, [](const TagLib::ID3v2::FrameListMap &frames) {
        return Texts{textOf(frames, "TPE1"), textOf(frames, "TIT2")};
    });
}

QByteArray cover(const QByteArray &tag, qint64 maxBytes) {
    if (tag.size() < kHeaderSize || !tag.startsWith("ID3"))
        return {};
    return withTag(tag, [maxBytes](const TagLib::ID3v2::FrameListMap &frames) {
        using Picture = TagLib::ID3v2::AttachedPictureFrame;
        const Picture *chosen = nullptr;
        const auto pictures = frames.find("APIC");
        if (pictures == frames.end())
            return QByteArray();
        for (const TagLib::ID3v2::Frame *frame : pictures->second) {
            const auto *picture = dynamic_cast<const Picture *>(frame);
            if (picture && !chosen)
                chosen = picture;
            if (picture && picture->type() == Picture::FrontCover) {
                chosen = picture;
                break;
            }
        }
        if (!chosen || chosen->picture().size() > maxBytes)
            return QByteArray();
        const TagLib::ByteVector bytes = chosen->picture();
        return QByteArray(bytes.data(), qsizetype(bytes.size()));
    });
}

} // namespace tv::Id3v2Tag
