#!/usr/bin/env bash
# Every yield of the program goes through core/Turns.cpp (letEventsIn), where
# album commands wait their turn. A call of the event loop anywhere else (the
# event-loop port's DoEvents, processEvents, a nested exec) would let events
# run unseen. Allowed besides: the ports that are event loops themselves
# (platform/, the modal windows and the tray menu of ui/QtWindowPort.cpp, the
# first showing of a window in ui/WhenOnScreen.cpp) and app/main.cpp's own loop.
# Prints every other call as file:line and fails when there is one.
set -euo pipefail
src=${1:?usage: check_yields.sh SRC_DIR}
cd "$src"

allowed='^(\./)?(platform/|app/main\.cpp:|core/Turns\.cpp:|ui/QtWindowPort\.cpp:|ui/WhenOnScreen\.cpp:)'
calls=$(grep -rnE --include='*.h' --include='*.cpp' \
    '(DoEvents|processEvents|sendPostedEvents)[[:space:]]*\(|(\.|->)[[:space:]]*exec[[:space:]]*\(' . |
    sed 's|^\./||' | grep -vE "$allowed" || true)
if [ -n "$calls" ]; then
    echo "Event loop called outside letEventsIn (file:line):"
    echo "$calls"
    exit 1
fi
echo "every yield goes through letEventsIn"
