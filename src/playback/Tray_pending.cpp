// PENDING: placeholder bodies so that everything links; replace, then delete this file.
#include "playback/Tray.h"

namespace tv {

void TrayAdd(const QString &) {}
void TrayTip(const QString &) {}
void TrayDelete() {}
void pMenu_Click() {}
void pMenuShowHide_Click() {}

} // namespace tv
