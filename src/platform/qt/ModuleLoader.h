#pragma once

#include <QString>

namespace tv {

// The entry point of one of the program's modules (lib<module>.so in the
// folder); null when the module cannot be loaded, and then the reason goes
// to the error output after what the program goes without. A module stays
// loaded to the end of the process.
QFunctionPointer moduleEntryPoint(const QString &folder, const char *module, const char *entry,
                                  const char *without);

// The folder of the running executable, known also before the application
// object, whose own answer waits for it.
QString executableFolder();

template <class Entry>
Entry moduleEntry(const QString &folder, const char *module, const char *entry,
                  const char *without) {
    return reinterpret_cast<Entry>(moduleEntryPoint(folder, module, entry, without));
}

} // namespace tv
