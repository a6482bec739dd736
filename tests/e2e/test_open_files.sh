#!/usr/bin/env bash
# Files opened from the desktop: given on the command line they join the new
# album and the first plays, with no add-files browser; a second copy started
# with a file (by a relative path) hands it to the running one, which plays it,
# and ends; the remote control's OpenUri does the same with a file:// address.
if [ -z "${TV_PRIVATE_BUS:-}" ]; then
    exec env TV_PRIVATE_BUS=1 dbus-run-session -- bash "$0" "$@"
fi
source "${TV_E2E_LIB:-$(dirname "$0")/lib.sh}"

get() { tv_mpris org.freedesktop.DBus.Properties.Get "$tv_player" "$1"; }
# The song that plays is the file, and it plays.
plays() {
    get Metadata | grep -F "'xesam:url': <'file://$music/$1'>" >/dev/null &&
        [ "$(get PlaybackStatus)" = "(<'Playing'>,)" ]
}
expect_playing() {
    tv_retry 20 plays "$1" || tv_fail "not playing $1: $(get Metadata); $(cat "$dir/stderr.log")"
}

tv_start_desktop
tv_library
music="$(cd "$dir" && pwd -P)/music"
mkdir -p "$music/more"
for f in 1 2 more/3 4; do cp "$TV_TEST_DATA/tone-10s.mp3" "$music/$f.mp3"; done

tv_run "$dir" "$music/2.mp3" "$music/more"
wid=$(tv_wait_window '^Тонвела для MP3$')
tv_retry 20 get PlaybackStatus || tv_fail "no player on the bus: $(cat "$dir/stderr.log")"
expect_playing 2.mp3
tv_screenshot open-files-started
[ -z "$(xdotool search --onlyvisible --name '^Добавить файл' 2>/dev/null)" ] ||
    tv_fail "the add-files browser opened over the given files"

(cd "$music" && timeout 20 "$dir/tonvela" 1.mp3) || tv_fail "the second copy did not end well"
expect_playing 1.mp3

tv_mpris "$tv_player.OpenUri" "file://$music/4.mp3" >/dev/null || tv_fail "OpenUri refused"
expect_playing 4.mp3

# The album is changed: closing asks to save it (answered No).
echo No >"$dir/answers.txt"
tv_close_window "$wid"
tv_wait_exit 20
[ "$(grep -c '^MsgBox' "$dir/dialogs.log")" = 1 ] ||
    tv_fail "not one save question: $(cat "$dir/dialogs.log")"
[ -z "$(find "$dir" -name '*.alb')" ] || tv_fail "an album file was written"
tv_log "PASS"
