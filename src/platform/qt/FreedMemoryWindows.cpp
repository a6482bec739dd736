#include "platform/qt/FreedMemory.h"

namespace tv {

// The system's heap hands large freed blocks back by itself.
void returnFreedMemory() {}

// The read faults its pages in as it goes.
void makePagesAhead(char *, qint64) {}

} // namespace tv
