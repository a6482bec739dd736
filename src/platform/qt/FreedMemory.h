#pragma once

namespace tv {

// Called first thing in main: memory the program frees goes back to the
// system, so that what it holds settles at what it uses.
void returnFreedMemory();

} // namespace tv
