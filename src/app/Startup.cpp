#include "app/Startup.h"

#include "core/AlbumCommands.h"
#include "core/AlbumList.h"
#include "core/Forma.h"
#include "core/Globals.h"
#include "core/Language.h"
#include "core/Settings.h"
#include "core/Shutdown.h"
#include "core/Turns.h"
#include "editing/DropFiles.h"
#include "platform/Ports.h"
#include "playback/Tray.h"

#include <memory>

namespace tv {

namespace {

QString lettered(const QString &native) {
    const QString path = P().fs->fromNative(native);
    return path.isEmpty() ? native : path;
}

QString withSep(QString dir) {
    if (!dir.endsWith(G().PathSep))
        dir += G().PathSep;
    return dir;
}

void setAppDir(const StartFolders &folders) {
    Globals &g = G();
    g.AppDir = lettered(folders.user);
    g.PathSep = g.AppDir.contains(QLatin1Char('\\')) ? QStringLiteral("\\") : QStringLiteral("/");
    g.AppDir = withSep(g.AppDir);
    g.ProgramDir = withSep(lettered(folders.program));
}

void setDefaults(const StartFolders &folders) {
    Globals &g = G();
    g.NumPesni = -1;
    g.strDir = folders.music.isEmpty() ? g.AppDir : withSep(lettered(folders.music));
    g.ShowForm = true;
}

// Both languages: the settings that choose one could not be read.
void sayUserFolderUnusable(const QString &native) {
    const QString text = QString::fromUtf8("Не удаётся создать папку или записать в неё:\r\n%1\r\n"
                                           "Альбомы и настройки негде хранить.\r\n\r\n"
                                           "Cannot create or write the folder:\r\n%1\r\n"
                                           "There is nowhere to keep the albums and settings.")
                             .arg(native);
    P().dialogs->MsgBox(text, vbOKOnly + vbCritical,
                        QString::fromUtf8("Тонвела для MP3 / Tonvela for MP3"));
}

void readSettingsFile() {
    QByteArray bytes;
    if (P().fs->readFile(settingsPath(), &bytes, kSmallFileLimit) == FileError::None)
        readSettings(bytes);
}

void doEvents() {
    letEventsIn();
}

// A window hidden to a tray that does not exist could never be reached, so
// then the window shows, and stays shown at the next start too.
void showOrHide() {
    showForma(G().ShowForm || !P().tray->available());
}

void selectEntry(const QString &name) {
    ListBox &list = frmForma().lstAlbomy;
    for (int i = 0; i <= G().AlbomUB() && i < list.ListCount(); ++i) {
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
    if (g.AlbomUB() == 0) {
        frmForma().lstAlbomy.setListIndex(0);
        OpenAlbomM(albumName(0));
        return false;
    }
    if (g.AlbomUB() > 0) {
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

bool Main(const StartFolders &folders, const QStringList &files) {
    if (!P().instance->acquire(folders.user, files))
        return false;
    if (!folders.userWritable) {
        sayUserFolderUnusable(folders.user);
        return false;
    }
    setAppDir(folders);
    setDefaults(folders);
    tryStep(readSettingsFile);
    tryStep([] { P().windows->loadForma(); });
    tryStep(applyLanguage);
    tryStep([] { P().windows->startBanner(); });
    tryStep(showOrHide);
    tryStep(doEvents);
    tryStep([] { TrayAdd(G().strTitle); });
    tryStep(doEvents);
    tryStep([] { frmForma().setFocusTo(Forma::Control::PlayList); });
    tryStep(readSongPositions);
    // A command let in by the yields above waits for the album, as one let
    // in while the album is read.
    auto opened = std::make_shared<bool>(false);
    runCommand([opened] {
        tryStep(LoadAlbomInfoM);
        tryStep([&opened] { *opened = reopenAlbom(); });
    });
    // Files given to open are what the user came for: no browser over them.
    const bool noAlbum = !*opened && frmForma().lstAlbomy.ListCount() == 0;
    if (noAlbum && !files.isEmpty())
        tryStep([] { runCommand([] { startNewAlbum(); }); });
    if (!files.isEmpty())
        tryStep([&files] { OpenFilesM(files); });
    // Later copies' files join the album settled on, after this copy's own.
    P().instance->startedUp();
    if (noAlbum && files.isEmpty())
        tryStep(FileNew_Click);
    return true;
}

} // namespace tv
