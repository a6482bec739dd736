#include "platform/CopyRequest.h"

namespace tv {

namespace {

const QByteArray kRaise = "raise\n";
const QByteArray kOpen = "open\n";

} // namespace

QByteArray CopyRequest::encode(const QStringList &files) {
    QByteArray out = kOpen;
    for (const QString &file : files) {
        const QByteArray path = file.toUtf8();
        if (path.isEmpty() || path.contains('\0'))
            continue;
        if (out.size() + path.size() + 1 > kMaxBytes)
            break;
        out += path + '\0';
    }
    return out.size() == kOpen.size() ? kRaise : out;
}

CopyRequest CopyRequest::decode(const QByteArray &bytes) {
    CopyRequest request;
    if (bytes.size() > kMaxBytes)
        return request;
    if (bytes == kRaise) {
        request.valid = true;
        return request;
    }
    if (!bytes.startsWith(kOpen) || !bytes.endsWith('\0'))
        return request;
    const QByteArray body = bytes.mid(kOpen.size(), bytes.size() - kOpen.size() - 1);
    for (const QByteArray &path : body.split('\0')) {
        // An empty or undecodable name is no file: the request is refused
        // whole. A sequence cut at the name's end is undecodable too, which a
        // decoder that waits for more input would not say.
        const QString file = QString::fromUtf8(path);
        if (path.isEmpty() || file.toUtf8() != path)
            return {};
        request.files.append(file);
    }
    request.valid = true;
    return request;
}

} // namespace tv
