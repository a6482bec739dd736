#include "editing/TagArena.h"

#include <atomic>
#include <cstdlib>
#include <new>

// Under AddressSanitizer the arena stays shut and `new` is the sanitizer's
// own, so that it watches every allocation TagLib makes.
#if defined(__SANITIZE_ADDRESS__)
#define TV_ARENA 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TV_ARENA 0
#endif
#endif
#ifndef TV_ARENA
#define TV_ARENA 1
#endif

namespace tv::TagArena {

namespace {

// One region, allocated the first time a scope opens and never freed, cut in
// blocks; a thread takes a block when it first opens a scope and another
// when an object outlived its block's scope. Pages never touched cost no
// memory. With every block taken, scopes open without an arena.
constexpr std::size_t kBlock = std::size_t(256) << 10;
constexpr std::size_t kBlocks = 32;

std::atomic<char *> regionStart{nullptr};
std::atomic<char *> regionEnd{nullptr};
std::atomic<std::size_t> blocksTaken{0};
std::atomic<bool> enabled{true};

struct Block {
    char *start = nullptr;
    char *next = nullptr;
    char *end = nullptr;
    long live = 0; // objects of this scope not yet deleted
    bool open = false;
};
thread_local Block block;

char *region() {
    char *start = regionStart.load(std::memory_order_acquire);
    if (start)
        return start;
    char *made = static_cast<char *>(std::malloc(kBlock * kBlocks));
    if (!made)
        return nullptr;
    if (!regionStart.compare_exchange_strong(start, made, std::memory_order_acq_rel)) {
        std::free(made);
        return start;
    }
    regionEnd.store(made + kBlock * kBlocks, std::memory_order_release);
    return made;
}

bool takeBlock() {
    char *const start = region();
    const std::size_t index = blocksTaken.fetch_add(1, std::memory_order_relaxed);
    if (!start || index >= kBlocks) {
        block.start = block.next = block.end = nullptr;
        return false;
    }
    block.start = block.next = start + index * kBlock;
    block.end = block.start + kBlock;
    return true;
}

} // namespace

Scope::Scope() : m_opened(TV_ARENA && enabled.load(std::memory_order_relaxed) && !block.open) {
    if (!m_opened)
        return;
    if (!block.start && !takeBlock())
        return;
    block.open = true;
    block.live = 0;
}

Scope::~Scope() {
    if (!m_opened || !block.open)
        return;
    block.open = false;
    if (block.live == 0)
        block.next = block.start;
    else if (block.next != block.start)
        takeBlock();
}

void setEnabled(bool on) {
    enabled.store(on, std::memory_order_relaxed);
}

} // namespace tv::TagArena

#if TV_ARENA
namespace tv::TagArena {

namespace {

bool inRegion(const void *p) {
    const char *const at = static_cast<const char *>(p);
    return at >= regionStart.load(std::memory_order_relaxed) &&
           at < regionEnd.load(std::memory_order_relaxed);
}

void *allocate(std::size_t size) {
    constexpr std::size_t kAlign = __STDCPP_DEFAULT_NEW_ALIGNMENT__;
    const std::size_t room = std::size_t(block.end - block.next);
    // The size is checked before it is rounded up, which could wrap around.
    if (block.open && size != 0 && size <= room) {
        const std::size_t rounded = (size + kAlign - 1) & ~(kAlign - 1);
        if (rounded <= room) {
            void *const at = block.next;
            block.next += rounded;
            ++block.live;
            return at;
        }
    }
    if (void *const at = std::malloc(size ? size : 1))
        return at;
    throw std::bad_alloc();
}

// Only this scope's own objects are counted back; the memory of one that
// outlived its scope, or of another thread's block, is simply left.
void release(void *p) noexcept {
    if (!inRegion(p)) {
        std::free(p);
        return;
    }
    if (block.open && p >= block.start && p < block.next)
        --block.live;
}

} // namespace

} // namespace tv::TagArena

void *operator new(std::size_t size) {
    return tv::TagArena::allocate(size);
}
void *operator new[](std::size_t size) {
    return tv::TagArena::allocate(size);
}
void operator delete(void *p) noexcept {
    tv::TagArena::release(p);
}
void operator delete[](void *p) noexcept {
    tv::TagArena::release(p);
}
void operator delete(void *p, std::size_t) noexcept {
    tv::TagArena::release(p);
}
void operator delete[](void *p, std::size_t) noexcept {
    tv::TagArena::release(p);
}
#endif
