#pragma once

#include <QString>

namespace tv {

void TrayAdd(const QString &text);
// The tip keeps the first 63 characters of the text.
void TrayTip(const QString &text);
void TrayDelete();

// The tray menu is opening.
void pMenu_Click();
// Hide or show the main window.
void pMenuShowHide_Click();

} // namespace tv
