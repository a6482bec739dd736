#include "editing/Id3v2Tag.h"

#include "editing/TagArena.h"

#include <taglib/attachedpictureframe.h>
#include <taglib/id3v2header.h>
#include <taglib/id3v2tag.h>

#include <algorithm>

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
