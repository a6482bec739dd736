#!/usr/bin/env bash
# The direction of the dependencies between the rooms of src/:
# - the logic (core, playback, editing) never reaches the widgets (ui/) or the
#   real ports (platform/qt/): it sees the outside through the port interfaces;
# - the ports, interfaces and real ones, include no logic and no windows;
# - the windows (ui/) reach no real port: only main.cpp puts the two together.
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
    for room in core playback editing; do forbidden "$room" 'ui|platform/qt'; done
    forbidden platform 'core|playback|editing|ui'
    forbidden ui 'platform/qt'
)
if [ -n "$edges" ]; then
    echo "Forbidden includes (file:line):"
    echo "$edges"
    exit 1
fi
echo "include directions hold"
