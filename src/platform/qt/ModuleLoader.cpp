#include "platform/qt/ModuleLoader.h"

#include <QLibrary>
#include <cstdio>

namespace tv {

QFunctionPointer moduleEntryPoint(const QString &folder, const char *module, const char *entry,
                                  const char *without) {
    QLibrary library(folder + QLatin1Char('/') + QLatin1String(module));
    const QFunctionPointer point = library.resolve(entry);
    if (!point)
        std::fprintf(stderr, "tonvela: %s: %s\n", without, qPrintable(library.errorString()));
    return point;
}

} // namespace tv
