#pragma once

namespace tv {

void tmrEndSound_Timer();
// A song has ended: the next song, the next album, or the album-list window.
void EndTimeM();
void NextAlbomM();
void MusicNonStop_Click();
void pMenuNonStop_Click();

} // namespace tv
