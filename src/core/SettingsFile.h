#pragma once

#include "core/SettingsFormat.h"

#include <QByteArray>

namespace tv {

// The settings file AppDir + "Тонвела для mp3.ini".
extern const char *const kSettingsFileName;

// The one routine that puts what the file held into the globals and the
// non-stop ticks of the main window; a section the file lacked changes nothing.
void applySettings(const Settings &settings);
// What the program would write now.
Settings currentSettings();

// The file's bytes read into the program, and the whole file as it is
// written at shutdown.
void readSettings(const QByteArray &bytes);
QByteArray writeSettings();

} // namespace tv
