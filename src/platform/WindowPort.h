#pragma once

namespace tv {

// The windows the logic opens, and the bits of the main window that have no
// state of their own in the logic. The widget layer implements it.
class WindowPort {
public:
    virtual ~WindowPort() = default;

    // Creates the main window (hidden) and binds it to frmForma().
    virtual void loadForma() = 0;
    // The banner across the top of the main window.
    virtual void startBanner() = 0;
    // The interface language changed (0 Russian, 1 English): the toolkit's
    // own texts (dialog buttons) follow it.
    virtual void languageChanged(int language) = 0;

    // Modal windows; each returns when the window is closed.
    virtual void showAddFile() = 0;
    virtual void showLang() = 0;
    virtual void showFound() = 0;
    virtual void showChange() = 0;
    virtual void showNewDisk() = 0;
    virtual void showOprog() = 0;
    // Modeless: the album list window.
    virtual void showListAlbom() = 0;
    // The tray icon's popup menu at the mouse; returns when it closes.
    virtual void showTrayMenu() = 0;
};

} // namespace tv
