// PENDING: placeholder bodies so that everything links; replace, then delete this file.
#include "playback/NewPlayM.h"

namespace tv {

void NewPlayM(int) {}

} // namespace tv
