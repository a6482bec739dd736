#pragma once

#include <QObject>
#include <optional>

namespace tv {

// Who has the player at the moment. A song start lets events run between
// handing the file over and playing it; the engine is still setting that file
// up then, and a second file given to it in that moment can lock it up. So a
// start asked for meanwhile waits its turn (the latest request wins) and runs
// once the first is done. A Stop from the user holds until the next start or
// Play: what the player reports in between is no end of a song.
class PlayerTurn : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    bool starting = false;
    // The song index asked for meanwhile.
    std::optional<int> waiting;
    bool stoppedByUser = false;
};

// The one of the main window.
PlayerTurn &playerTurn();

} // namespace tv
