#pragma once

namespace tv {

// Counts the albums opened (and begun by New). A command that lets events run
// notes the count before; a different count afterwards means a command let in
// meanwhile opened another album, and the first gives way to it, leaving the
// registry and the album as that one left them.
int openMark();
void noteAlbumOpened();

} // namespace tv
