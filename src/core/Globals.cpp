#include "core/Globals.h"

namespace tv {

Globals &G() {
    static Globals globals;
    return globals;
}

void resetGlobals() {
    G() = Globals();
}

void resizeAlboms(int ub) {
    G().AlbomUB = ub < -1 ? -1 : ub;
    G().Alboms.resize(G().AlbomUB + 1);
}

AlbomInfo *albomAt(int i) {
    if (i < 0 || i >= G().Alboms.size())
        return nullptr;
    return &G().Alboms[i];
}

} // namespace tv
