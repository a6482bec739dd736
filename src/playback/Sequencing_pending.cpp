// PENDING: placeholder bodies so that everything links; replace, then delete this file.
#include "playback/Sequencing.h"

namespace tv {

void tmrEndSound_Timer() {}
void EndTimeM() {}
void NextAlbomM() {}
void MusicNonStop_Click() {}
void pMenuNonStop_Click() {}

} // namespace tv
