#include "core/Forma.h"

#include "core/Globals.h"
#include "core/Turns.h"
#include "core/WebLinks.h"
#include "platform/Ports.h"
#include "playback/Tray.h"

#include <memory>

namespace tv {

Forma::Forma() {
    tmrEndSound.setInterval(1000);
    for (MenuItem *item : {&MusicPlay, &MusicPausa, &MusicStop})
        item->setEnabled(false);
}

void Forma::setPictureButtons(const PictureButton &play, const PictureButton &pause) {
    pPlay = play;
    pPause = pause;
    emit pictureButtonsChanged();
}

void Forma::setCaption(const QString &caption) {
    if (caption == m_caption)
        return;
    m_caption = caption;
    emit captionChanged();
}

void Forma::setLabel1(const QString &caption) {
    if (caption == m_label1)
        return;
    m_label1 = caption;
    emit label1Changed();
}

void Forma::drawNazvanie(const QString &text) {
    m_nazvanie = text;
    emit nazvanieChanged();
}

void Forma::setVisible(bool visible) {
    m_visible = visible;
    emit visibilityRequested(visible);
}

void Forma::activate() {
    emit activateRequested();
}

void Forma::setFocusTo(Control control) {
    emit focusRequested(control);
}

void Forma::unload() {
    emit unloadRequested();
}

QObject *Forma::renewPlaybackLinks() {
    delete m_playbackLinks;
    m_playbackLinks = new QObject(this);
    return m_playbackLinks;
}

QList<MenuItem *> Forma::menuItems() {
    return {&File,          &FileNew,         &FileOpen,       &FileSave,
            &FileSaveAs,    &FileFound,       &FileExit,       &Edit,
            &EditAddFile,   &EditClear,       &EditDel,        &EditChange,
            &EditSort,      &EditSortAlfavit, &EditSortRevers, &EditSortRand,
            &EditNewDisk,   &Music,           &MusicPlay,      &MusicPausa,
            &MusicStop,     &MusicGromkost,   &MusicNonStop,   &Help,
            &HelpCallHelp,  &HelpLang,        &HelpAbout,      &pMenu,
            &pMenuShowHide, &pMenuPlay,       &pMenuPauase,    &pMenuStop,
            &pMenuGromkost, &pMenuNonStop,    &pMenuListAlbom, &pMenuExit};
}

namespace {
std::unique_ptr<Forma> &instance() {
    static std::unique_ptr<Forma> forma;
    return forma;
}
} // namespace

Forma &frmForma() {
    if (!instance())
        instance() = std::make_unique<Forma>();
    return *instance();
}

void resetForma() {
    instance() = std::make_unique<Forma>();
}

// The windows that change the album are commands from their opening to
// their closing: what they apply, they apply to the album they were opened
// on, and album commands that arrive meanwhile wait until they close.
void EditAddFile_Click() {
    runCommand([] { P().windows->showAddFile(); });
}

void FileFound_Click() {
    runCommand([] { P().windows->showFound(); });
}

void EditChange_Click() {
    runCommand([] { P().windows->showChange(); });
}

void EditNewDisk_Click() {
    runCommand([] { P().windows->showNewDisk(); });
}

void HelpAbout_Click() {
    P().windows->showOprog();
}

// The help page is a bare file name: OpURL looks it up in the program's folder.
void HelpCallHelp_Click() {
    OpURL(G().strHelpFile);
}

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

void showForma(bool shown) {
    G().ShowForm = shown;
    frmForma().setVisible(shown);
}

void showFormaForMessage() {
    frmForma().setVisible(true);
}

void raiseForma() {
    if (!frmForma().Visible())
        showForma(true);
    frmForma().activate();
}

void keepShownAtClose() {
    G().ShowForm = frmForma().Visible();
}

} // namespace tv
