#pragma once

#include <QString>

namespace tv {

void TrayAdd(const QString &text);
// The tip keeps the first 63 characters of the text.
void TrayTip(const QString &text);
void TrayDelete();

// Mouse messages of the tray icon.
enum TrayMessage { WM_LBUTTONDBLCLK = 515, WM_RBUTTONUP = 517 };
// Right button released: the popup menu; left double-click: the hidden
// window comes back. Everything else is ignored.
void TrayMouse(int message);

// The tray menu is opening.
void pMenu_Click();
// Hide or show the main window.
void pMenuShowHide_Click();

} // namespace tv
