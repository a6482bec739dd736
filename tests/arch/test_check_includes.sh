#!/usr/bin/env bash
# The include check itself: a tree with one edge of each forbidden kind must
# fail and name every one; the same tree without them must pass.
set -euo pipefail
check="$(dirname "$0")/check_includes.sh"
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree"/{app,core,playback,editing,ui,platform/qt}
echo '#include "core/Forma.h"' >"$tree/playback/ok.cpp"
echo '#include "platform/Ports.h"' >"$tree/ui/ok.cpp"
echo '#include "platform/FileSystem.h"' >"$tree/platform/qt/ok.cpp"
echo '#include "editing/DropFiles.h"' >"$tree/app/ok.cpp"
bash "$check" "$tree" >/dev/null || { echo "a clean tree was refused"; exit 1; }

echo '#include "ui/FormaWindow.h"' >"$tree/core/a.cpp"
printf '\n  #  include "platform/qt/QtShell.h"\n' >"$tree/editing/b.h"
echo '#include "playback/Tray.h"' >"$tree/platform/c.h"
echo '#include "core/Globals.h"' >"$tree/platform/qt/d.cpp"
echo '#include "platform/qt/QtDialogs.h"' >"$tree/ui/e.cpp"
echo '#include "editing/DropFiles.h"' >"$tree/core/f.cpp"
echo '#include "app/Startup.h"' >"$tree/ui/g.cpp"
if out=$(bash "$check" "$tree"); then
    echo "forbidden includes were let through"
    exit 1
fi
for edge in core/a.cpp:1 editing/b.h:2 platform/c.h:1 platform/qt/d.cpp:1 ui/e.cpp:1 core/f.cpp:1 ui/g.cpp:1; do
    grep -q "^$edge:" <<<"$out" || { echo "not named: $edge"; echo "$out"; exit 1; }
done
echo "the include check finds every forbidden edge"
