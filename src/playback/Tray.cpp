#include "playback/Tray.h"

#include "core/Forma.h"
#include "core/Globals.h"
#include "platform/Ports.h"

namespace tv {

namespace {

// The shell's tip field holds 63 characters and its terminator. A cut inside
// a surrogate pair would leave half a character; drop the half.
QString tipText(const QString &text) {
    constexpr int maxTip = 63;
    if (text.size() <= maxTip)
        return text;
    QString tip = text.left(maxTip);
    if (tip.back().isHighSurrogate())
        tip.chop(1);
    return tip;
}

} // namespace

void TrayAdd(const QString &text) {
    P().tray->add(tipText(text));
}

void TrayTip(const QString &text) {
    P().tray->setTip(tipText(text));
}

void TrayDelete() {
    P().tray->remove();
}

void TrayMouse(int message) {
    if (message == WM_RBUTTONUP) {
        P().windows->showTrayMenu();
    } else if (message == WM_LBUTTONDBLCLK && !G().ShowForm) {
        showForma(true);
        frmForma().activate();
    }
}

void pMenu_Click() {
    const bool playing = P().player->playState() == MediaPlayer::Playing;
    Forma &f = frmForma();
    f.pMenuPlay.setEnabled(!playing && G().NumPesni > -1);
    f.pMenuPauase.setEnabled(playing);
    f.pMenuStop.setEnabled(playing);
}

// Hiding leaves the music playing: the tray icon is the way back.
void pMenuShowHide_Click() {
    showForma(!G().ShowForm);
}

} // namespace tv
