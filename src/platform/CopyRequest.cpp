#include "platform/CopyRequest.h"

#include <QStringDecoder>

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
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString file = utf8.decode(path);
        // An empty or undecodable name is no file: the request is refused whole.
        if (path.isEmpty() || utf8.hasError())
            return {};
        request.files.append(file);
    }
    request.valid = true;
    return request;
}

} // namespace tv
