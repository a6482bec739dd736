#include "core/Globals.h"
#include "core/SettingsFile.h"
#include "core/SongPosition.h"
#include "core/Startup.h"
#include "core/Steps.h"
#include "platform/Ports.h"
#include "playback/Tray.h"

#include "core/Turns.h"
namespace tv {

// A settings file that cannot be written costs only this run's settings; the
// program still ends. Where the song stood is kept apart, before the player
// lets go of it.
void SaveINIM() {
    tryStep([] { P().fs->writeFile(settingsPath(), writeSettings()); });
    tryStep(saveSongPosition);
    tryStep([] { P().player->stop(); });
    tryStep(TrayDelete);
    tryStep([] { letEventsIn(); });
    P().events->endProcess();
}

} // namespace tv
