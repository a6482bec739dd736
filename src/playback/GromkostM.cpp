#include "playback/GromkostM.h"

#include "core/Globals.h"
#include "core/WebLinks.h"
#include "platform/Ports.h"

namespace tv {

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
