#pragma once

#include <QByteArray>

namespace tv {

// The settings file AppDir + "Тонвела для mp3.ini".
extern const char *const kSettingsFileName;

// Applies every recognised section of the file's bytes to the globals and the
// non-stop ticks of the main window.
void readSettings(const QByteArray &bytes);
// The whole file as it is written at shutdown.
QByteArray writeSettings();

} // namespace tv
