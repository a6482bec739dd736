#include "core/AlbumCommands.h"
#include "core/AlbumFile.h"
#include "core/Forma.h"
#include "core/Globals.h"
#include "core/Language.h"
#include "core/SettingsFile.h"
#include "core/ShowForma.h"
#include "core/SongPosition.h"
#include "core/Startup.h"
#include "core/Steps.h"
#include "platform/Ports.h"
#include "playback/Tray.h"

namespace tv {

namespace {

void setAppDir(const QString &exeDir) {
    Globals &g = G();
    const QString lettered = P().fs->fromNative(exeDir);
    g.AppDir = lettered.isEmpty() ? exeDir : lettered;
    g.PathSep = g.AppDir.contains(QLatin1Char('\\')) ? QStringLiteral("\\") : QStringLiteral("/");
    if (!g.AppDir.endsWith(g.PathSep))
        g.AppDir += g.PathSep;
}

void setDefaults() {
    Globals &g = G();
    g.NumPesni = -1;
    g.FoundUB = -1;
    g.strDir = g.AppDir;
    g.ShowForm = true;
}

void readSettingsFile() {
    QByteArray bytes;
    if (P().fs->readFile(settingsPath(), &bytes) == FileError::None)
        readSettings(bytes);
}

void doEvents() {
    P().events->DoEvents();
}

// A window hidden to a tray that does not exist could never be reached, so
// then the window shows, and stays shown at the next start too.
void showOrHide() {
    showForma(G().ShowForm || !P().tray->available());
}

void selectEntry(const QString &name) {
    ListBox &list = frmForma().lstAlbomy;
    for (int i = 0; i <= G().AlbomUB && i < list.ListCount(); ++i) {
        if (list.List(i) == name) {
            list.setListIndex(i);
            return;
        }
    }
}

// The album of the previous run, or the only one there is. Returns whether
// an album was opened from the remembered name (start-up then ends).
bool reopenAlbom() {
    Globals &g = G();
    if (g.AlbomUB == 0) {
        frmForma().lstAlbomy.setListIndex(0);
        // A copy: the reader reshapes the registry the name would point into.
        if (const AlbomInfo *only = albomAt(0))
            OpenAlbomM(QString(only->Name));
        return false;
    }
    if (g.AlbomUB > 0) {
        if (!g.NameEndAlbom.isEmpty()) {
            selectEntry(g.NameEndAlbom);
            if (OpenAlbomM(QString(g.NameEndAlbom)) == 0)
                return true;
        }
        doEvents();
        frmForma().setFocusTo(Forma::Control::lstAlbomy);
    }
    return false;
}

} // namespace

bool Main(const QString &exeDir) {
    if (!P().instance->acquire(exeDir))
        return false;
    setAppDir(exeDir);
    setDefaults();
    tryStep(readSettingsFile);
    tryStep([] { P().windows->loadForma(); });
    tryStep(applyLanguage);
    tryStep([] { P().windows->startBanner(); });
    tryStep(showOrHide);
    tryStep(doEvents);
    tryStep([] { TrayAdd(G().strTitle); });
    tryStep(doEvents);
    tryStep([] { frmForma().setFocusTo(Forma::Control::PlayList); });
    tryStep(LoadAlbomInfoM);
    bool opened = false;
    tryStep([&opened] { opened = reopenAlbom(); });
    tryStep(resumeSongPosition);
    if (!opened && frmForma().lstAlbomy.ListCount() == 0)
        tryStep(FileNew_Click);
    return true;
}

} // namespace tv
