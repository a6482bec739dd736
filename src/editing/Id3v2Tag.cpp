#include "editing/Id3v2Tag.h"

#include <taglib/attachedpictureframe.h>
#include <taglib/id3v2framefactory.h>
#include <taglib/id3v2header.h>
#include <taglib/id3v2tag.h>
#include <taglib/tbytevectorstream.h>
#include <taglib/tfile.h>

namespace tv::Id3v2Tag {

namespace {

TagLib::ByteVector bytesOf(const QByteArray &data) {
    return TagLib::ByteVector(data.constData(), unsigned(data.size()));
}

QString textOf(const TagLib::ID3v2::FrameListMap &frames, const char *id) {
    const auto found = frames.find(id);
    if (found == frames.end() || found->second.isEmpty())
        return {};
    return QString::fromStdWString(found->second.front()->toString().toWString());
}

// The tag's bytes as a file that holds nothing else: the tag is parsed alone,
// no audio looked for or at.
class TagBytes : public TagLib::File {
public:
    explicit TagBytes(TagLib::IOStream *stream) : TagLib::File(stream) {}
    TagLib::Tag *tag() const override { return nullptr; }
    TagLib::AudioProperties *audioProperties() const override { return nullptr; }
    bool save() override { return false; }
};

// Version 2.2 frames come back under their 2.3 names (TT2 as TIT2).
template <typename Use> auto withTag(const QByteArray &tag, Use use) {
    TagLib::ByteVectorStream stream(bytesOf(tag));
    TagBytes file(&stream);
    const TagLib::ID3v2::Tag parsed(&file, 0, TagLib::ID3v2::FrameFactory::instance());
    return use(parsed.frameListMap());
}

} // namespace

qint64 size(const QByteArray &head) {
    if (head.size() < kHeaderSize || !head.startsWith("ID3"))
        return 0;
    const TagLib::ID3v2::Header header(bytesOf(head.left(kHeaderSize)));
    return header.tagSize() == 0 ? 0 : qint64(header.completeTagSize());
}

// The tag's own header is checked by TagLib; bytes that do not even begin as
// a tag are spared its setting up.
Texts texts(const QByteArray &tag) {
    if (!tag.startsWith("ID3"))
        return {};
    return withTag(tag, [](const TagLib::ID3v2::FrameListMap &frames) {
        return Texts{textOf(frames, "TPE1"), textOf(frames, "TIT2")};
    });
}

QByteArray cover(const QByteArray &tag, qint64 maxBytes) {
    if (!tag.startsWith("ID3"))
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
