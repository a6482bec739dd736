#include "core/ShowForma.h"

#include "core/Forma.h"
#include "core/Globals.h"

namespace tv {

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
