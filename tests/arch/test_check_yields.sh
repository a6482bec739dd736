#!/usr/bin/env bash
# The yield check itself: the program's own tree passes; the same tree with a
# raw yield added on purpose, in each form, fails and names it.
set -euo pipefail
here="$(dirname "$0")"
check="$here/check_yields.sh"
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
cp -r "${1:?usage: test_check_yields.sh SRC_DIR}"/. "$tree"
bash "$check" "$tree" >/dev/null || { echo "the program's own tree was refused"; exit 1; }

printf '\n    P().events->DoEvents();\n' >>"$tree/playback/Sequence.cpp"
echo 'void f() { QCoreApplication::processEvents(); }' >"$tree/core/raw.cpp"
printf '\n\n  dialog.exec();\n' >"$tree/editing/raw.h"
echo 'void g() { loop -> exec(); }' >"$tree/ui/raw.cpp"
if out=$(bash "$check" "$tree"); then
    echo "raw yields were let through"
    exit 1
fi
last=$(wc -l <"$tree/playback/Sequence.cpp")
for call in "playback/Sequence.cpp:$last" core/raw.cpp:1 editing/raw.h:3 ui/raw.cpp:1; do
    grep -q "^$call:" <<<"$out" || { echo "not named: $call"; echo "$out"; exit 1; }
done
echo "the yield check finds every raw yield"
