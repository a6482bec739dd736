#include "core/Shutdown.h"

#include "core/AlbumCommands.h"
#include "core/Forma.h"
#include "core/Globals.h"
#include "core/Settings.h"
#include "core/Turns.h"
#include "platform/Dialogs.h"
#include "platform/Ports.h"
#include "playback/Tray.h"

namespace tv {

void Form_QueryUnload(bool *cancel) {
    // A command let in while the question is up (the album's end, a pick)
    // waits for its answer: the album asked about is the one saved, and a
    // close that goes on leaves no command half done.
    const CommandsHeld held;
    if (ZaprosSaveAlbomM() == vbCancel) {
        if (cancel)
            *cancel = true;
        return;
    }
    CloseUnaskedM();
}

// Hidden to the tray now means the next run starts hidden too.
void CloseUnaskedM() {
    keepShownAtClose();
    SaveINIM();
}

void SessionEndM(const std::function<bool()> &mayAsk, bool *cancel) {
    if (G().AlbomChanged == 1 && mayAsk())
        Form_QueryUnload(cancel);
    else
        CloseUnaskedM();
}

// Both only ask the window to close; the close request does the rest.
void FileExit_Click() {
    frmForma().unload();
}

void pMenuExit_Click() {
    frmForma().unload();
}

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
