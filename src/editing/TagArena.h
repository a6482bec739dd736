#pragma once

namespace tv::TagArena {

// While a Scope is open, what this thread allocates with `new` comes from a
// block of its own, bumped forward and given back whole when the scope
// closes. TagLib makes a couple of hundred small objects to parse one tag
// and frees them all before it returns; through the general allocator they
// cost more than reading the file does. An object still alive when its scope
// closes keeps its block: the next scope starts in another. A request the
// block cannot hold, another thread's, and everything outside a scope goes to
// the general allocator as always. Scopes do not nest: an inner one does
// nothing.
class Scope {
public:
    Scope();
    ~Scope();
    Scope(const Scope &) = delete;
    Scope &operator=(const Scope &) = delete;

private:
    bool m_opened;
};

// Whether scopes opened from now on use the arena (they do unless told
// otherwise): the benches time reading tags with and without it.
void setEnabled(bool enabled);

} // namespace tv::TagArena
