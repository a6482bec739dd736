#include "editing/Id3v2Tag.h"

#include <taglib/attachedpictureframe.h>
#include <taglib/id3v2framefactory.h>
#include <taglib/id3v2header.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>
#include <taglib/tbytevectorstream.h>

namespace tv::Id3v2Tag {

namespace {

TagLib::ByteVector bytesOf(const QByteArray &data) {
    return TagLib::ByteVector(data.constData(), unsigned(data.size()));
}

QString textOf(const TagLib::ID3v2::FrameList &frames) {
    if (frames.isEmpty())
        return {};
    return QString::fromStdString(frames.front()->toString().to8Bit(true));
}

// The tag parsed as the start of an MP3 file, its audio never looked at.
// Version 2.2 frames come back under their 2.3 names (TT2 as TIT2).
template <typename Use> auto withTag(const QByteArray &tag, Use use) -> decltype(use(nullptr)) {
    if (size(tag) == 0)
        return {};
    TagLib::ByteVectorStream stream(bytesOf(tag));
    TagLib::MPEG::File file(&stream, TagLib::ID3v2::FrameFactory::instance(), false);
    return use(file.isValid() ? file.ID3v2Tag() : nullptr);
}

} // namespace

qint64 size(const QByteArray &head) {
    if (head.size() < kHeaderSize || !head.startsWith("ID3"))
        return 0;
    const TagLib::ID3v2::Header header(bytesOf(head.left(kHeaderSize)));
    return header.tagSize() == 0 ? 0 : qint64(header.completeTagSize());
}

Texts texts(const QByteArray &tag) {
    return withTag(tag, [](TagLib::ID3v2::Tag *t) -> Texts {
        if (!t)
            return {};
        const auto &frames = t->frameListMap();
        return {textOf(frames["TPE1"]), textOf(frames["TIT2"])};
    });
}

QByteArray cover(const QByteArray &tag, qint64 maxBytes) {
    return withTag(tag, [maxBytes](TagLib::ID3v2::Tag *t) -> QByteArray {
        if (!t)
            return {};
        using Picture = TagLib::ID3v2::AttachedPictureFrame;
        const Picture *chosen = nullptr;
        for (const TagLib::ID3v2::Frame *frame : t->frameListMap()["APIC"]) {
            const auto *picture = dynamic_cast<const Picture *>(frame);
            if (picture && !chosen)
                chosen = picture;
            if (picture && picture->type() == Picture::FrontCover) {
                chosen = picture;
                break;
            }
        }
        if (!chosen || chosen->picture().size() > maxBytes)
            return {};
        const TagLib::ByteVector bytes = chosen->picture();
        return QByteArray(bytes.data(), qsizetype(bytes.size()));
    });
}

} // namespace tv::Id3v2Tag
