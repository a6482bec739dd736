#include "platform/qt/FreedMemory.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

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

// Only the whole pages inside the block; a system without the request (before
// Linux 5.14) refuses it, and the read then faults them in as before.
void makePagesAhead(char *data, qint64 size) {
#ifdef MADV_POPULATE_WRITE
    const auto page = quintptr(sysconf(_SC_PAGESIZE));
    const quintptr first = (quintptr(data) + page - 1) & ~(page - 1);
    const quintptr end = (quintptr(data) + quintptr(size)) & ~(page - 1);
    if (end > first)
        madvise(reinterpret_cast<void *>(first), end - first, MADV_POPULATE_WRITE);
#else
    Q_UNUSED(data);
    Q_UNUSED(size);
#endif
}

} // namespace tv
