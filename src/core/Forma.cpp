#include "core/Forma.h"

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

} // namespace tv
