#pragma once

namespace tv {

// Rebuilds PlayList from ListPath, keeps the selection where it can, focuses
// the playlist and marks the album as changed.
void UpDatePlayListM();

} // namespace tv
