// The settings reader on any file: it reads without harm, and what it read
// is written so that reading and writing it again gives the same file.
#include "FuzzCheck.h"

#include "core/Forma.h"
#include "core/Globals.h"
#include "core/SettingsFile.h"

#include <QCoreApplication>

using namespace tv;

namespace {

void freshStart() {
    resetGlobals();
    resetForma();
    G().AppDir = QStringLiteral("Z:/home/u/Tonvela/");
    G().strDir = G().AppDir;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv) {
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    freshStart();
    readSettings(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    const QByteArray written = writeSettings();
    freshStart();
    readSettings(written);
    fuzz::check(writeSettings() == written, "read, write, read, write");
    return 0;
}
