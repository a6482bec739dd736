// Any bytes a local program sends the running copy: a request heard is
// within bounds, ended where the reader stops, names only non-empty files,
// and says again exactly what it was read from.
#include "FuzzCheck.h"

#include "platform/CopyRequest.h"

using namespace tv;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const CopyRequest request = CopyRequest::decode(bytes);
    if (!request.valid) {
        fuzz::check(request.files.isEmpty(), "a refused request names no file");
        return 0;
    }
    fuzz::check(bytes.size() <= CopyRequest::kMaxBytes, "bounded");
    fuzz::check(CopyRequest::ended(bytes), "a request heard is ended");
    for (const QString &file : request.files)
        fuzz::check(!file.isEmpty() && !file.contains(QChar(0)), "a file has a name");
    fuzz::check(CopyRequest::encode(request.files) == QList<QByteArray>{bytes},
                "said again the same");
    // What a later copy would say of these names, in as many requests as it
    // takes, is heard as them, each request ended only at its end.
    QStringList names = QString::fromUtf8(bytes).split(QChar(0), Qt::SkipEmptyParts);
    names.removeIf([](const QString &name) {
        return name.toUtf8().size() > CopyRequest::kMaxBytes / 2; // no request could hold it
    });
    names += names; // longer than one request, once the input is long enough
    QStringList heard;
    for (const QByteArray &part : CopyRequest::encode(names)) {
        const CopyRequest again = CopyRequest::decode(part);
        fuzz::check(again.valid, "a copy's own request is heard");
        fuzz::check(!CopyRequest::ended(part.chopped(1)), "a request is not ended early");
        heard += again.files;
    }
    fuzz::check(heard == names, "every name is heard, in order");
    return 0;
}
