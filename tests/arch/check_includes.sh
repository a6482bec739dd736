#!/usr/bin/env bash
# The direction of the dependencies between the rooms of src/:
# - the logic (core, playback, editing) never reaches the widgets (ui/) or the
#   real ports (platform/qt/): it sees the outside through the port interfaces;
# - the ports, interfaces and real ones, include no logic and no windows;
# - core, the albums and their files, reaches no editing: adding, sorting and
#   dropping build on the album commands, not the other way round;
# - the windows (ui/) reach no real port: only app/main.cpp puts the two
#   together;
# - nothing but app/ reaches app/: the start-up wiring sits above the rooms it
#   wires.
# Prints every forbidden edge as file:line and fails when there is one.
set -euo pipefail
src=${1:?usage: check_includes.sh SRC_DIR}
cd "$src"

forbidden() { # room, pattern of the includes it must not have
    local room=$1 pattern=$2
    [ -d "$room" ] || return 0
    grep -rnE --include='*.h' --include='*.cpp' "^[[:space:]]*#[[:space:]]*include[[:space:]]+\"($pattern)/" "$room" || true
}

edges=$(
    for room in core playback editing; do forbidden "$room" 'ui|platform/qt|app'; done
    forbidden core 'editing'
    forbidden platform 'core|playback|editing|ui|app'
    forbidden ui 'platform/qt|app'
)
if [ -n "$edges" ]; then
    echo "Forbidden includes (file:line):"
    echo "$edges"
    exit 1
fi
echo "include directions hold"
