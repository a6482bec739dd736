#!/usr/bin/env bash
# The settings remember song 2 of the album: the next start plays song 2 and
# shows its title; a song that has ended is followed by the next one. Closed in
# the middle of song 3, the program starts it again where it was (the position
# read as the desktop's player controls read it, on a private session bus).
if [ -z "${TV_PRIVATE_BUS:-}" ]; then
    exec env TV_PRIVATE_BUS=1 dbus-run-session -- bash "$0" "$@"
fi
source "${TV_E2E_LIB:-$(dirname "$0")/lib.sh}"

mpris_get() { tv_player_get "$1" 2>/dev/null; }
# Where the song playing stands, in milliseconds (empty without a player).
position_ms() {
    local us
    us=$(mpris_get Position | sed -n 's/^(<int64 \([0-9]*\)>,)$/\1/p')
    [ -z "$us" ] || echo $((us / 1000))
}
# The player has loaded the song: it knows its length.
loaded() { mpris_get Metadata | grep -F "'mpris:length'" >/dev/null; }
past_ms() { local at; at=$(position_ms); [ -n "$at" ] && [ "$at" -ge "$1" ]; }

tv_start_desktop
dir=$(tv_new_folder)
app=$(tv_lettered "$dir")
mkdir -p "$dir/music"
for n in 1 2; do cp "$TV_TEST_DATA/tone-3s.mp3" "$dir/music/$n.mp3"; done
# Song 3 lasts 10 s, so that it still plays when the window is closed.
cp "$TV_TEST_DATA/tone-10s.mp3" "$dir/music/3.mp3"

tv_write_1251 "$dir/rock.alb" " 3 " "Первая${app}music/1.mp3" "Вторая${app}music/2.mp3" \
    "Третья${app}music/3.mp3"
tv_write_1251 "$dir/Тонвела для mp3.ini" "[language]" " 1 " "[albom]" " 0 " "rock.alb" " 1 " \
    "[showform]" "True" "[musicnonstop]" "False" "[nameendalbom]" "rock.alb" \
    "[namepesni]" " 0 " "[strDir]" "$app"

tv_run "$dir"
wid=$(tv_wait_window '^Tonvela for MP3 - rock\.alb$')
tv_screenshot resumed-song-2
# Song 2 lasts 3 s; a second after its end song 3 starts and is remembered.
sleep 4
tv_screenshot moved-on-to-song-3
tv_retry 10 past_ms 2500 || tv_fail "song 3 does not run on: at $(position_ms) ms"
tv_close_window "$wid"
tv_wait_exit 20

tv_expect_bytes "$dir/Тонвела для mp3.ini" \
    "[language]\r\n 1 \r\n[albom]\r\n 0 \r\nrock.alb\r\n 2 \r\n[showform]\r\nTrue\r\n[musicnonstop]\r\nFalse\r\n[nameendalbom]\r\nrock.alb\r\n[namepesni]\r\n 0 \r\n[strDir]\r\n${app}\r\n"
[ ! -s "$dir/dialogs.log" ] || tv_fail "unexpected dialogs: $(cat "$dir/dialogs.log")"

# The position is kept beside the settings, and the next start goes on there.
saved=$(sed -n '5{s/[ \r]//g;p}' "$dir/Тонвела для mp3.pos")
[[ "$saved" =~ ^[0-9]+$ ]] && [ "$saved" -ge 2500 ] && [ "$saved" -lt 5000 ] ||
    tv_fail "no position of song 3 kept: $(cat -A "$dir/Тонвела для mp3.pos")"
tv_run "$dir"
wid=$(tv_wait_window '^Tonvela for MP3 - rock\.alb$')
tv_retry 20 loaded || tv_fail "song 3 not loaded: $(mpris_get Metadata) $(cat "$dir/stderr.log")"
resumed=$(position_ms)
[ "$resumed" -ge $((saved - 1000)) ] && [ "$resumed" -le $((saved + 2000)) ] ||
    tv_fail "resumed at $resumed ms, not at $saved ms"
# And it plays on from there, not from the start.
sleep 1
later=$(position_ms)
[ "$later" -ge "$saved" ] || tv_fail "at $later ms a second after resuming at $saved ms"
tv_screenshot resumed-in-song-3
tv_close_window "$wid"
tv_wait_exit 20
tv_log "PASS"
