#include "platform/qt/FreedMemory.h"

namespace tv {

// The system's heap hands large freed blocks back by itself.
void returnFreedMemory() {}

} // namespace tv
