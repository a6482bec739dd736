// The line files' decoder and encoder: any bytes decode without harm, and
// any lines the program can hold (no line break inside) come back from
// their encoding unchanged, whatever UTF-16 they are made of.
#include "FuzzCheck.h"

#include "core/TextLines.h"

using namespace tv;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QStringList decoded = TextLines::decode(bytes);
    fuzz::check(TextLines::decode(TextLines::encode(decoded)) == decoded, "decoded lines");

    QStringList lines = fuzz::utf16(data, size).split(QLatin1Char('\n'));
    for (QString &line : lines)
        line.remove(QLatin1Char('\r'));
    // A last empty line is not written: the file ends with its line end.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    fuzz::check(TextLines::decode(TextLines::encode(lines)) == lines, "any UTF-16 lines");
    return 0;
}
