#include "platform/Ports.h"

namespace tv {

Ports &P() {
    static Ports ports;
    return ports;
}

} // namespace tv
