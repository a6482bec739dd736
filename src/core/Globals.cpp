#include "core/Globals.h"

namespace tv {

Globals &G() {
    static Globals globals;
    return globals;
}

void resetGlobals() {
    G() = Globals();
}

} // namespace tv
