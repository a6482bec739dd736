#pragma once

#include <functional>

namespace tv {

// One command at a time. Every command that changes the open album, the
// album list or the main window's state runs through runCommand. One that
// arrives while another is still running (at a moment events run, inside a
// question, a file dialog or a modal window, which are event loops too)
// waits and runs once the first is done, in the order of arrival. So a
// command finds the album it began on still open after every yield, and no
// command checks for that by hand.

// Lets pending window events run: the one place the logic yields.
void letEventsIn();

enum class Waiting {
    // Every such command runs, each in its turn.
    InTurn,
    // Asked for again while it waits (the end of an album reported twice),
    // it runs once, in the later place.
    LatestOnly,
};

// Runs command now when no command is running, else when its turn comes.
void runCommand(std::function<void()> command, Waiting waiting = Waiting::InTurn);

// Holds the commands off for its lifetime, without being one: a song start
// lets events run while the player sets the file up, and the album must
// not change under it. Commands that arrive meanwhile run when it ends.
class CommandsHeld {
public:
    CommandsHeld();
    ~CommandsHeld();
    CommandsHeld(const CommandsHeld &) = delete;
    CommandsHeld &operator=(const CommandsHeld &) = delete;
};

} // namespace tv
