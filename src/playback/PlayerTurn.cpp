#include "playback/PlayerTurn.h"

#include "core/Forma.h"

namespace tv {

// Kept with the main window, so that a fresh window starts with a free player.
PlayerTurn &playerTurn() {
    Forma &f = frmForma();
    auto *turn = f.findChild<PlayerTurn *>(QString(), Qt::FindDirectChildrenOnly);
    return turn ? *turn : *new PlayerTurn(&f);
}

} // namespace tv
