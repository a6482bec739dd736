#!/usr/bin/env bash
# Runs every fuzz target of a build for the given seconds each, starting from
# its starting corpus in fuzz/corpus/<name>/. New inputs go to a scratch corpus,
# so the corpora in the project stay small; a crash leaves its input in
# <build>/fuzz/findings/ and fails the run. Usage: run.sh BUILD_DIR SECONDS
set -euo pipefail
build=$1
seconds=$2
here=$(cd "$(dirname "$0")" && pwd)
findings="$build/fuzz/findings"
mkdir -p "$findings"

status=0
found=0
for target in "$build"/fuzz/*_fuzz; do
    [ -x "$target" ] || continue
    found=$((found + 1))
    name=$(basename "$target")
    start="$here/corpus/$name"
    [ -d "$start" ] || { echo "== $name: no corpus in fuzz/corpus/$name" >&2; status=1; continue; }
    work=$(mktemp -d "${TMPDIR:-/tmp}/tonvela-fuzz-$name.XXXXXX")
    echo "== $name: ${seconds}s"
    if ! "$target" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2560 \
        -print_final_stats=1 -artifact_prefix="$findings/$name-" "$work" "$start" \
        >"$findings/$name.log" 2>&1; then
        echo "== $name FAILED; input in $findings, log $findings/$name.log" >&2
        tail -n 40 "$findings/$name.log" >&2
        status=1
    else
        grep -E '^stat::(number_of_executed_units|new_units_added)' "$findings/$name.log" || true
    fi
    rm -rf "$work"
done
[ "$found" -gt 0 ] || { echo "no fuzz targets in $build/fuzz" >&2; exit 1; }
exit $status
