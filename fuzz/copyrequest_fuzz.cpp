// Any bytes a local program sends the running copy: a request heard is
// within bounds, names only non-empty files, and says again exactly what it
// was read from.
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
    for (const QString &file : request.files)
        fuzz::check(!file.isEmpty() && !file.contains(QChar(0)), "a file has a name");
    fuzz::check(CopyRequest::encode(request.files) == bytes, "said again the same");
    // And what a later copy would say of these files is heard as them.
    const QStringList names = QString::fromUtf8(bytes).split(QChar(0), Qt::SkipEmptyParts);
    const CopyRequest again = CopyRequest::decode(CopyRequest::encode(names));
    fuzz::check(again.valid, "a copy's own request is heard");
    return 0;
}
