#include "core/MenuRules.h"

#include "core/Forma.h"
#include "core/Globals.h"
#include "platform/Ports.h"
#include "playback/Tray.h"

namespace tv {

void File_Click() {
    frmForma().FileFound.setEnabled(G().AlbomUB() > -1);
}

void Edit_Click() {
    Forma &f = frmForma();
    const bool any = !f.ListPath.isEmpty();
    for (MenuItem *item : {&f.EditClear, &f.EditDel, &f.EditChange, &f.EditSort})
        item->setEnabled(any);
}

void Music_Click() {
    Forma &f = frmForma();
    const bool playing = P().player->playState() == MediaPlayer::Playing;
    f.MusicPlay.setEnabled(!playing && G().NumPesni > -1);
    f.MusicPausa.setEnabled(playing);
    f.MusicStop.setEnabled(playing);
}

bool Form_Resize(bool minimized) {
    // Without a notification area a hidden window could never be reached
    // again, so minimising stays an ordinary minimise.
    if (!minimized || !P().tray->available())
        return false;
    pMenuShowHide_Click();
    return true;
}

} // namespace tv
