#!/usr/bin/env bash
# Prints the tests' share of the code: lines of C++ and shell under tests/
# against those under src/ and tests/ together, blank and comment-only lines
# not counted. Tests should stay at about a quarter to a third.
set -euo pipefail
cd "$(dirname "$0")/.."

count() {
    git ls-files -co --exclude-standard -- "$@" | grep -E '\.(cpp|h|sh)$' | xargs -r cat |
        grep -c -v -E '^\s*((//|#).*)?$' || true
}

src=$(count src)
tests=$(count tests)
total=$((src + tests))
[ "$total" -gt 0 ] || exit 0
echo "code lines: src/ $src, tests/ $tests; tests are $((100 * tests / total))% of the two"
