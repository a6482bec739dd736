#pragma once

#include <QString>

namespace tv {

// Starts song index of the open album (-1: nothing), looking for its file on
// the other drives when it is not where the album says.
void NewPlayM(int index);
// Where the song's file lies now: the stored path, or the same path on
// another drive (a collection copied to a new disk); empty when on none.
QString songFile(const QString &path);
// Song index is the current song from now on: remembered, shown in the
// title panel, selected and named in the tray tip.
void showStarted(int index);

} // namespace tv
