#include "platform/qt/FreedMemory.h"

#include <malloc.h>

namespace tv {

// An album of a million songs passes through buffers of many megabytes that
// are freed at once. After freeing such a block glibc raises its threshold
// for mapping large blocks, so the next ones come from the heap and stay with
// the process when freed (a few megabytes a million songs). Fixed thresholds
// keep large blocks mapped, and the heap's free top is handed back.
void returnFreedMemory() {
#ifdef __GLIBC__
    constexpr int kLargeBlock = 128 * 1024;
    mallopt(M_MMAP_THRESHOLD, kLargeBlock);
    mallopt(M_TRIM_THRESHOLD, kLargeBlock);
#endif
}

} // namespace tv
