#pragma once

namespace tv {

// Code the window system runs (making the application object, painting)
// leaves the upper halves of the processor's vector registers in use, and
// nothing in the program's own loops clears them: until something does,
// every small copy pays for it, a fifth more time for a folder's titles.
// Cleared here; does nothing where the processor has no such registers.
void clearVectorState();

// Clears it now, and each time the event loop of this thread is about to
// wait: every command then starts clean, whatever was painted before it.
void keepVectorStateClear();

} // namespace tv
