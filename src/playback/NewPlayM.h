#pragma once

namespace tv {

// Starts song index of the open album (-1: nothing), looking for its file on
// the other drives when it is not where the album says.
void NewPlayM(int index);

} // namespace tv
