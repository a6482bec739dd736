#pragma once

#include "core/Globals.h"
#include "core/SettingsFile.h"

#include <QString>

namespace tv {

// Start-up and shutdown go on past a step that fails: the program must come
// up, and must end, whatever one step ran into.
template <class F> void tryStep(F &&step) noexcept {
    try {
        step();
    } catch (...) {
    }
}

// AppDir + the settings file's name.
inline QString settingsPath() {
    return G().AppDir + QString::fromUtf8(kSettingsFileName);
}

} // namespace tv
