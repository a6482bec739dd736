// The lettered path of any native path leads back to it, whatever
// characters its names hold (":" and "\" and their stand-ins included),
// and holds no ":" but the drive's, no "\" and no control character (it
// would break the line of an album).
#include "FuzzCheck.h"

#include "platform/qt/DriveFileSystem.h"

#include <algorithm>

using namespace tv;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static const DriveFileSystem fs({{QStringLiteral("Z"), QStringLiteral("/")},
                                     {QStringLiteral("E"), QStringLiteral("/media/u/usb")}});
    // Names as the file system holds them: not empty, no "/" and no NUL.
    QStringList names;
    for (const QString &name :
         fuzz::utf16(data, size).split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (!name.contains(QChar(0)))
            names << name;
    }
    for (const QString &root : {QStringLiteral("/"), QStringLiteral("/media/u/usb/")}) {
        const QString native = root + names.join(QLatin1Char('/'));
        const QString lettered = fs.fromNative(native);
        fuzz::check(lettered.size() >= 3 && lettered.at(1) == QLatin1Char(':'), "lettered");
        fuzz::check(!lettered.mid(2).contains(QLatin1Char(':')), "no other colon");
        fuzz::check(!lettered.contains(QLatin1Char('\\')), "no backslash");
        fuzz::check(std::none_of(lettered.begin(), lettered.end(),
                                 [](QChar c) { return c.unicode() < 0x20; }),
                    "no control character");
        QString back = fs.toNative(lettered);
        if (names.isEmpty() && root.size() > 1)
            back += QLatin1Char('/'); // a drive's root is named without its last "/"
        fuzz::check(back == native, "native, lettered, native");
        fuzz::check(fs.fromNative(back) == lettered, "lettered, native, lettered");
    }
    return 0;
}
