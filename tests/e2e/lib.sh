# Helpers of the end-to-end tests: sourced by tests/e2e/test_*.sh.
#
# A test gets its own X display (Xvfb) with a window manager (openbox) and a
# notification area (trayer), runs the installed program from a fresh copy of
# its folder and drives it as a user would. CTest sets TV_EXE (the installed
# executable), TV_ARTIFACTS (where screenshots go) and TV_TEST_DATA.

set -euo pipefail

# Every test runs on a session bus of its own, as a desktop session has one.
# Without any, the program's D-Bus connection would try to start a bus
# itself: its thread forks while the other threads are busy, and under the
# sanitizers such a child can hang before it runs anything, and the program
# with it.
if [ -z "${TV_PRIVATE_BUS:-}" ]; then
    exec env TV_PRIVATE_BUS=1 dbus-run-session -- bash "$0" "$@"
fi

# The program (and any second copy a test starts) runs on the X display the
# test brings up, whatever platform the caller's environment names: the unit
# tests run offscreen.
export QT_QPA_PLATFORM=xcb

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

# Ends what the script started and removes its files.
tv_cleanup() {
    local pids=(${TV_APP_PID:+"$TV_APP_PID"} "${TV_PIDS[@]}")
    kill "${pids[@]}" 2>/dev/null || true
    wait "${pids[@]}" 2>/dev/null || true
    rm -rf "$TV_TMP"
}
trap tv_cleanup EXIT

# Repeats a command until it succeeds or the seconds run out.
tv_retry() {
    local end=$((SECONDS + $1))
    shift
    until "$@" >/dev/null 2>&1; do
        [ "$SECONDS" -lt "$end" ] || return 1
        sleep 0.2
    done
}

# (Pipes end in a reader that takes all its input: with pipefail, a reader
# that stops early, as grep -q does, fails the pipe with SIGPIPE.)
tv_wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK | grep 'window id' >/dev/null; }
tv_tray_ready() { xwininfo -root -tree | grep -i trayer >/dev/null; }

# Starts a program of the desktop and waits until the test says it is ready;
# one that is not ready in time (a fresh display may still refuse a first
# client, which then ends) is started again.
tv_start_helper() {
    local ready=$1
    shift
    for _ in 1 2 3; do
        "$@" >>"$TV_TMP/$1.log" 2>&1 &
        TV_PIDS+=($!)
        tv_retry 10 "$ready" && return 0
        kill $! 2>/dev/null || true
    done
    tv_fail "$1 did not start: $(cat "$TV_TMP/$1.log")"
}

# Xvfb on a free display number (it picks one itself), openbox, trayer.
tv_start_desktop() {
    local fifo="$TV_TMP/display"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$fifo" 2>"$TV_TMP/xvfb.log" &
    TV_PIDS+=($!)
    tv_retry 20 grep -q '[0-9]' "$fifo" || tv_fail "Xvfb did not start: $(cat "$TV_TMP/xvfb.log")"
    # (Xvfb names the display once it takes connections.)
    export DISPLAY=":$(tr -dc '0-9' <"$fifo")"
    tv_start_helper tv_wm_ready openbox --sm-disable
    tv_start_helper tv_tray_ready trayer --edge bottom --align right --widthtype request \
        --height 24 --SetDockType true
}

# A fresh program folder holding a copy of the installed program; prints it.
tv_new_folder() {
    local dir
    dir=$(mktemp -d "$TV_TMP/app.XXXXXX")
    cp -a "$(dirname "$TV_EXE")/." "$dir/"
    echo "$dir"
}

# Starts the program of a folder $1 (or $TV_RUN_EXE, when set), with the files
# to open that follow; dialogs are answered from $1/answers.txt and logged to
# $1/dialogs.log.
tv_run() {
    touch "$1/answers.txt"
    TONVELA_DIALOG_ANSWERS="$1/answers.txt" TONVELA_DIALOG_LOG="$1/dialogs.log" \
        "${TV_RUN_EXE:-$1/tonvela}" "${@:2}" >"$1/stdout.log" 2>"$1/stderr.log" &
    TV_APP_PID=$!
    TV_APP_DIR=$1
}

# xdotool search with its arguments. A window that goes while xdotool walks
# the window tree ends xdotool with an X error (BadWindow), which is not an
# answer: the walk is taken again. Status 1 is "none found"; 2, a walk that
# kept failing.
tv_search() {
    local out
    for _ in 1 2 3 4 5 6 7 8 9 10; do
        if out=$(xdotool search "$@" 2>"$TV_TMP/search.err"); then
            echo "$out"
            return 0
        fi
        grep 'X Error' "$TV_TMP/search.err" >/dev/null || return 1
        sleep 0.1
    done
    return 2
}

# The first visible window whose title matches the pattern.
tv_find_window() { tv_search --onlyvisible --limit 1 --name "$1"; }

# Whether no visible window's title matches the pattern.
tv_no_window() {
    local status=0
    tv_find_window "$1" >/dev/null || status=$?
    [ "$status" -eq 1 ]
}

# Waits for a visible window whose title matches the pattern, managed by the
# window manager and active; prints its id.
tv_wait_window() {
    local pattern=$1 seconds=${2:-30} wid
    tv_retry "$seconds" tv_find_window "$pattern" || tv_fail "no window named '$pattern' within ${seconds}s"
    wid=$(tv_find_window "$pattern") || tv_fail "the window named '$pattern' went again"
    tv_retry "$seconds" tv_is_managed "$wid" || tv_fail "window $wid is not managed: $(xprop -id "$wid")"
    xdotool windowactivate --sync "$wid" >/dev/null 2>&1 || true
    echo "$wid"
}

tv_is_managed() { xprop -id "$1" WM_STATE | grep 'window state: Normal' >/dev/null; }

# Lets the window settle, then photographs the whole screen.
tv_screenshot() {
    sleep 1
    import -window root "$TV_ARTIFACTS/$1.png"
    tv_log "screenshot $TV_ARTIFACTS/$1.png"
}

# Asks the window manager to close a window, as its close button does; it
# reaches the window whatever has the keyboard (an open menu holds it).
tv_wm_close() { wmctrl -i -c "$1"; }

# The visible windows of the running program, one id a line.
tv_app_windows() { tv_search --all --onlyvisible --pid "$TV_APP_PID" --name '' || true; }

# The program's icon in the notification area: its only small window.
tv_tray_icon() {
    local w
    for w in $(tv_app_windows); do
        if xwininfo -id "$w" 2>/dev/null | awk '/Width:/ {small = $2 <= 48} END {exit !small}'; then
            echo "$w"
            return 0
        fi
    done
    return 1
}

# Clicks with a mouse button on a window, then waits until the program shows
# one more window (the menu or box the click opens).
tv_click_opens() {
    local wid=$1 x=$2 y=$3 button=$4 before
    before=$(tv_app_windows | wc -l)
    xdotool mousemove --window "$wid" "$x" "$y" click "$button"
    tv_retry 10 tv_more_windows "$before" || tv_fail "nothing opened at $x,$y of window $wid"
}
tv_more_windows() { [ "$(tv_app_windows | wc -l)" -gt "$1" ]; }

# Opens the menu whose title lies x pixels into the menu bar of a window and
# picks its item n (from 1): tv_menu_item wid x n.
tv_menu_item() {
    tv_click_opens "$1" "$2" 10 1
    xdotool key $(printf 'Down %.0s' $(seq "$3")) Return
}

# Waits until the program ends with status 0 (a way out of it was taken);
# fails when it does not within the seconds.
tv_wait_exit() {
    local status=0
    tv_retry "${1:-20}" tv_ended || tv_fail "the program did not end within ${1:-20}s; its windows:" \
        "$(tv_app_windows | xargs -rn1 xdotool getwindowname); its errors: $(cat "$TV_APP_DIR/stderr.log")"
    wait "$TV_APP_PID" || status=$?
    TV_APP_PID=""
    [ "$status" -eq 0 ] || tv_fail "the program ended with status $status"
}
tv_ended() { ! kill -0 "$TV_APP_PID"; }

# Compares a file with the one that holds the bytes expected.
tv_same() { cmp -s "$1" "$2" || tv_fail "$2 differs: $(od -c "$2" 2>&1 | head -n 40)"; }


# Writes a text file as the program keeps its files: Windows-1251, CR LF after
# every line. Arguments: the file, then one argument per line.
tv_write_1251() {
    printf '%s\r\n' "${@:2}" | iconv -f UTF-8 -t CP1251 >"$1"
}

# Four bytes of a size, big-endian, of $2 bits each (7 in the "syncsafe"
# sizes of ID3v2 headers and v2.4 frames, 8 in v2.3 frames).
tv_size_bytes() {
    local n=$1 bits=$2 i
    for i in 3 2 1 0; do
        printf "\\$(printf %03o $(((n >> (i * bits)) & ((1 << bits) - 1))))"
    done
}

# An MP3 file that begins with an ID3v2 tag: the file, the version (3: texts
# in UTF-16 with its byte-order mark, 4: in UTF-8), the tone after the tag,
# then a frame an argument: NAME=text, or APIC=file for a PNG front cover.
tv_id3v2_mp3() {
    local file=$1 version=$2 tone=$3 frame data=$TV_TMP/frame
    shift 3
    for frame; do
        case "${frame%%=*}$version" in
        APIC*) { printf '\0image/png\0\003\0'; cat "${frame#*=}"; } >"$data" ;;
        *3) { printf '\001\377\376'; printf %s "${frame#*=}" | iconv -f UTF-8 -t UTF-16LE; } >"$data" ;;
        *) printf '\003%s' "${frame#*=}" >"$data" ;;
        esac
        printf %s "${frame%%=*}"
        tv_size_bytes "$(wc -c <"$data")" $((version == 4 ? 7 : 8))
        printf '\0\0'
        cat "$data"
    done >"$TV_TMP/frames"
    # Some padding after the frames.
    {
        printf "ID3\\$(printf %03o "$version")\\0\\0"
        tv_size_bytes $(($(wc -c <"$TV_TMP/frames") + 64)) 7
        cat "$TV_TMP/frames"
        head -c 64 /dev/zero
        cat "$tone"
    } >"$file"
}

# The lettered form of a native folder of this machine, with a final "/".
tv_lettered() { echo "Z:$(cd "$1" && pwd -P)/"; }

# A fresh program folder (dir), its lettered form (app) and an empty music folder.
tv_library() {
    dir=$(tv_new_folder)
    app=$(tv_lettered "$dir")
    mkdir -p "$dir/music"
}

# Writes a settings file as the program does: the file, the language (0
# Russian, 1 English), the album open last, then each album with the song it
# stood at ("rock.alb 1"); the add-files browser's folder is $app, or
# $tv_browsed when set.
tv_ini() {
    local file=$1 language=$2 last=$3 album lines=()
    shift 3
    for album in "$@"; do
        lines+=("${album% *}" " ${album##* } ")
    done
    tv_write_1251 "$file" "[language]" " $language " "[albom]" " $(($# - 1)) " "${lines[@]}" \
        "[showform]" True "[musicnonstop]" False "[nameendalbom]" "$last" "[namepesni]" " 0 " \
        "[strDir]" "${tv_browsed:-$app}"
}

# Whether a window is mapped (shown) right now.
tv_is_mapped() { xwininfo -id "$1" 2>/dev/null | grep 'Map State: IsViewable' >/dev/null; }
tv_is_unmapped() { xwininfo -id "$1" 2>/dev/null | grep 'Map State: IsUnMapped' >/dev/null; }

# Whether a window is closed: destroyed, or no longer on screen.
tv_is_gone() { ! xwininfo -id "$1" 2>/dev/null | grep 'Map State: IsViewable' >/dev/null; }

# The program's remote control on the test's session bus: a method and its
# arguments (-t SECONDS after them bounds the wait for the answer). gdbus
# prints titles in the locale's characters: UTF-8, whatever the caller's.
tv_service=org.mpris.MediaPlayer2.tonvela
tv_mpris() { LC_ALL=C.UTF-8 gdbus call -e -d $tv_service -o /org/mpris/MediaPlayer2 -m "$@"; }
