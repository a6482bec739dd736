#include "core/Globals.h"

namespace tv {

Globals &G() {
    static Globals globals;
    return globals;
}

void resetGlobals() {
    G() = Globals();
}

AlbomInfo *albomAt(int i) {
    if (i < 0 || i >= G().Alboms.size())
        return nullptr;
    return &G().Alboms[i];
}

} // namespace tv
