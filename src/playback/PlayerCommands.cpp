#include "playback/PlayerCommands.h"

#include "core/Forma.h"
#include "core/Globals.h"
#include "core/WebLinks.h"
#include "platform/Ports.h"
#include "playback/Sequence.h"

namespace tv {

namespace {

constexpr int keyEnter = 13;

} // namespace

void MusicPlay_Click() {
    const int state = P().player->playState();
    if (state == MediaPlayer::Paused || state == MediaPlayer::Stopped) {
        playerTurn().stoppedByUser = false;
        P().player->play();
    } else
        NewPlayM(frmForma().PlayList.ListIndex());
}

void pPlay_Click(int) {
    MusicPlay_Click();
}

void pMenuPlay_Click() {
    // From the tray, with no playlist in sight, Play means the current song.
    if (G().ShowForm)
        MusicPlay_Click();
    else
        NewPlayM(G().NumPesni);
}

void MusicPausa_Click() {
    if (P().player->playState() != MediaPlayer::Playing)
        return;
    dropNextSong();
    P().player->pause();
}

void pMenuPauase_Click() {
    MusicPausa_Click();
}

void pPause_Click(int) {
    MusicPausa_Click();
}

// Never the player's stop: a stopped player means "song over, go on". A song
// still loading is on its way to playing and is held as well; a start asked
// for before the Stop is dropped, the Stop being the later wish.
void MusicStop_Click() {
    const int state = P().player->playState();
    if (state != MediaPlayer::Playing && state != MediaPlayer::Transitioning)
        return;
    playerTurn().stoppedByUser = true;
    playerTurn().waiting.reset();
    dropNextSong();
    P().player->pause();
    P().player->setCurrentPosition(0);
}

void pMenuStop_Click() {
    MusicStop_Click();
}

void PlayList_DblClick() {
    NewPlayM(frmForma().PlayList.ListIndex());
}

void PlayList_KeyDown() {
    frmForma().PlayKeyDown = 1;
}

// Enter counts only when it went down in the list too: the Enter that opened
// an album in the album list must not also start a song here.
void PlayList_KeyUp(int keyCode) {
    if (keyCode == keyEnter && frmForma().PlayKeyDown == 1)
        PlayList_DblClick();
    frmForma().PlayKeyDown = 0;
}

namespace {

// Windows keeps its volume control in its own folder or in System32 below it.
bool startSndvol(const QString &windowsDir) {
    const QString &sep = G().PathSep;
    const QString sndvol = QStringLiteral("sndvol32.exe");
    for (const QString &candidate :
         {windowsDir + sep + sndvol,
          windowsDir + sep + QStringLiteral("System32") + sep + sndvol}) {
        if (P().fs->fileExists(candidate)) {
            OpURL(candidate);
            return true;
        }
    }
    return false;
}

bool startMixer() {
    const ProgramCommand mixer = P().shell->findProgram(volumeControls());
    if (mixer.program.isEmpty())
        return false;
    (void)P().shell->start(mixer, G().AppDir);
    return true;
}

} // namespace

void MusicGromkost_Click() {
    GromkostM();
}

void pMenuGromkost_Click() {
    MusicGromkost_Click();
}

QList<ProgramCommand> volumeControls() {
    return {{QStringLiteral("pavucontrol-qt"), {}},
            {QStringLiteral("pavucontrol"), {}},
            {QStringLiteral("gnome-control-center"), {QStringLiteral("sound")}},
            {QStringLiteral("mate-volume-control"), {}},
            {QStringLiteral("xfce4-mixer"), {}}};
}

void GromkostM() {
    const QString windowsDir = P().shell->windowsDirectory();
    const bool started = windowsDir.isEmpty() ? startMixer() : startSndvol(windowsDir);
    if (!started && P().dialogs)
        P().dialogs->MsgBox(G().strNotFound, vbOKOnly | vbCritical, G().strTitle);
}

} // namespace tv
