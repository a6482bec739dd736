# Helpers of the end-to-end tests: sourced by tests/e2e/test_*.sh.
#
# A test gets its own X display (Xvfb) with a window manager (openbox) and a
# notification area (trayer), runs the installed program from a fresh copy of
# its folder and drives it as a user would. CTest sets TV_EXE (the installed
# executable), TV_ARTIFACTS (where screenshots go) and TV_TEST_DATA.

set -euo pipefail

: "${TV_EXE:?TV_EXE must name the installed executable}"
: "${TV_ARTIFACTS:?TV_ARTIFACTS must name the screenshot folder}"
mkdir -p "$TV_ARTIFACTS"

TV_TMP=$(mktemp -d "${TMPDIR:-/tmp}/tonvela-e2e.XXXXXX")
TV_PIDS=()
TV_APP_PID=""

tv_log() { echo "[e2e] $*" >&2; }
tv_fail() {
    tv_log "FAIL: $*"
    exit 1
}

tv_cleanup() {
    local pid
    for pid in ${TV_APP_PID:+"$TV_APP_PID"} "${TV_PIDS[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    for pid in ${TV_APP_PID:+"$TV_APP_PID"} "${TV_PIDS[@]}"; do
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$TV_TMP"
}
trap tv_cleanup EXIT

# Repeats a command until it succeeds or the seconds run out.
tv_retry() {
    local seconds=$1
    shift
    local end=$((SECONDS + seconds))
    until "$@" >/dev/null 2>&1; do
        [ "$SECONDS" -lt "$end" ] || return 1
        sleep 0.2
    done
}

tv_tray_ready() { xwininfo -root -tree | grep -qi trayer; }

# Xvfb on a free display number (it picks one itself), openbox, trayer.
tv_start_desktop() {
    local fifo="$TV_TMP/display"
    : >"$fifo"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" 2>"$TV_TMP/xvfb.log" &
    TV_PIDS+=($!)
    tv_retry 20 grep -q '[0-9]' "$fifo" || tv_fail "Xvfb did not start: $(cat "$TV_TMP/xvfb.log")"
    export DISPLAY=":$(tr -dc '0-9' <"$fifo")"
    tv_retry 20 xdpyinfo || tv_fail "display $DISPLAY does not answer"
    openbox --sm-disable >"$TV_TMP/openbox.log" 2>&1 &
    TV_PIDS+=($!)
    tv_retry 20 xprop -root _NET_SUPPORTING_WM_CHECK || tv_fail "openbox did not start"
    trayer --edge bottom --align right --widthtype request --height 24 --SetDockType true \
        >"$TV_TMP/trayer.log" 2>&1 &
    TV_PIDS+=($!)
    tv_retry 20 tv_tray_ready || tv_fail "trayer did not start"
    tv_log "desktop on $DISPLAY"
}

# A fresh program folder holding a copy of the installed program; prints it.
tv_new_folder() {
    local dir
    dir=$(mktemp -d "$TV_TMP/app.XXXXXX")
    cp -a "$(dirname "$TV_EXE")/." "$dir/"
    echo "$dir"
}

# Starts the program of a folder; dialogs are answered from $1/answers.txt
# and logged to $1/dialogs.log.
tv_run() {
    local dir=$1
    touch "$dir/answers.txt"
    TONVELA_DIALOG_ANSWERS="$dir/answers.txt" TONVELA_DIALOG_LOG="$dir/dialogs.log" \
        "$dir/tonvela" >"$dir/stdout.log" 2>"$dir/stderr.log" &
    TV_APP_PID=$!
}

# Waits for a visible window whose title matches the pattern; prints its id.
tv_wait_window() {
    local pattern=$1 seconds=${2:-30}
    timeout "$seconds" xdotool search --sync --onlyvisible --name "$pattern" | head -n 1 ||
        tv_fail "no window named '$pattern' within ${seconds}s"
}

# Lets the window settle, then photographs the whole screen.
tv_screenshot() {
    local name=$1
    sleep 1
    import -window root "$TV_ARTIFACTS/$name.png"
    tv_log "screenshot $TV_ARTIFACTS/$name.png"
}

# Closes a window as a user would: activate it, then Alt+F4 through the window manager.
tv_close_window() {
    local wid=$1
    xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowfocus --sync "$wid"
    xdotool key --clearmodifiers alt+F4
}

# Waits until the program ends; fails when it does not within the seconds.
tv_wait_exit() {
    local seconds=${1:-20} end=$((SECONDS + ${1:-20}))
    while kill -0 "$TV_APP_PID" 2>/dev/null; do
        [ "$SECONDS" -lt "$end" ] || tv_fail "the program did not end within ${seconds}s"
        sleep 0.2
    done
    local status=0
    wait "$TV_APP_PID" || status=$?
    TV_APP_PID=""
    [ "$status" -eq 0 ] || tv_fail "the program ended with status $status"
}

# Compares a file with the bytes printf makes of the given format.
tv_expect_bytes() {
    local file=$1 format=$2
    [ -f "$file" ] || tv_fail "$file is missing"
    if ! printf "$format" | cmp -s - "$file"; then
        tv_log "expected:"
        printf "$format" | od -c >&2
        tv_log "found:"
        od -c "$file" >&2
        tv_fail "$file differs"
    fi
}
