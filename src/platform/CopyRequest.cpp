#include "platform/CopyRequest.h"

namespace tv {

namespace {

const QByteArray kRaise = "raise\n";
const QByteArray kOpen = "open\n";
const QByteArray kEnd("\0\0", 2);

} // namespace

QList<QByteArray> CopyRequest::encode(const QStringList &files) {
    QList<QByteArray> requests;
    QByteArray out = kOpen;
    for (const QString &file : files) {
        const QByteArray path = file.toUtf8();
        if (path.isEmpty() || path.contains('\0') ||
            kOpen.size() + path.size() + kEnd.size() > kMaxBytes)
            continue;
        if (out.size() + path.size() + kEnd.size() > kMaxBytes) {
            requests.append(out + '\0');
            out = kOpen;
        }
        out += path + '\0';
    }
    if (out.size() > kOpen.size())
        requests.append(out + '\0');
    if (requests.isEmpty())
        requests.append(kRaise);
    return requests;
}

bool CopyRequest::ended(const QByteArray &bytes) {
    return bytes.size() > kMaxBytes || bytes.startsWith(kRaise) ||
           (bytes.size() > kOpen.size() + 1 && bytes.endsWith(kEnd));
}

CopyRequest CopyRequest::decode(const QByteArray &bytes) {
    CopyRequest request;
    if (bytes.size() > kMaxBytes)
        return request;
    if (bytes == kRaise) {
        request.valid = true;
        return request;
    }
    if (!bytes.startsWith(kOpen) || !bytes.endsWith(kEnd) ||
        bytes.size() < kOpen.size() + kEnd.size() + 1)
        return request;
    const QByteArray body = bytes.mid(kOpen.size(), bytes.size() - kOpen.size() - kEnd.size());
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

QByteArray CopyRequest::heard() {
    return QByteArrayLiteral("heard\n");
}

} // namespace tv
