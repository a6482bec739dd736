#include "platform/qt/ModuleLoader.h"

#include <QFileInfo>
#include <vector>
#include <windows.h>

namespace tv {

QString executableFolder() {
    std::vector<wchar_t> path(32768);
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
    return QFileInfo(QString::fromWCharArray(path.data(), int(length))).absolutePath();
}

} // namespace tv
