#include "editing/Id3v2Tag.h"

#include <taglib/attachedpictureframe.h>
#include <taglib/id3v2framefactory.h>
#include <taglib/id3v2header.h>
#include <taglib/id3v2tag.h>
#include <taglib/tfile.h>
#include <taglib/tiostream.h>

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

// The tag's bytes read in place: TagLib's own byte stream would first copy
// them, and a folder of ten thousand files pays for every copy.
class HeldBytes : public TagLib::IOStream {
public:
    explicit HeldBytes(const QByteArray &bytes) : m_bytes(bytes) {}
    TagLib::FileName name() const override { return ""; }
    TagLib::ByteVector readBlock(unsigned long length) override {
        const qsizetype count = std::clamp<qsizetype>(m_bytes.size() - m_at, 0, qsizetype(length));
        const TagLib::ByteVector block(m_bytes.constData() + m_at, unsigned(count));
        m_at += count;
        return block;
    }
    void writeBlock(const TagLib::ByteVector &) override {}
    void insert(const TagLib::ByteVector &, unsigned long, unsigned long) override {}
    void removeBlock(unsigned long, unsigned long) override {}
    bool readOnly() const override { return true; }
    bool isOpen() const override { return true; }
    void seek(long offset, Position from) override {
        const qsizetype base = from == Beginning ? 0 : from == Current ? m_at : m_bytes.size();
        m_at = std::clamp<qsizetype>(base + offset, 0, m_bytes.size());
    }
    long tell() const override { return long(m_at); }
    long length() override { return long(m_bytes.size()); }
    void truncate(long) override {}

private:
    const QByteArray &m_bytes;
    qsizetype m_at = 0;
};

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
    HeldBytes stream(tag);
    TagBytes file(&stream);
    const TagLib::ID3v2::Tag parsed(&file, 0, TagLib::ID3v2::FrameFactory::instance());
    return use(parsed.frameListMap());
}

} // namespace

qint64 size(const QByteArray &head) {
    if (head.size() < kHeaderSize || !head.startsWith("ID3"))
        return 0;
    const TagLib::ID3v2::Header header(TagLib::ByteVector(head.constData(), kHeaderSize));
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
