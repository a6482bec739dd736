#include "platform/qt/ModuleLoader.h"

#include <QFileInfo>

namespace tv {

// The kernel's link to the executable, however it was started.
QString executableFolder() {
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
}

} // namespace tv
