#!/usr/bin/env bash
# Files opened from the desktop, and the desktop's player controls, on a
# private session bus. Files given on the command line join the new album and
# the first plays, with no add-files browser; a second copy started with a
# file (by a relative path) hands it to the running one, which plays it, and
# ends; the remote control's OpenUri does the same with a file:// address.
# Then the player controls are called as playerctl and the media keys do. The
# settings remember song 2 of the album: the program plays it and answers for
# it, Pause acts on it, Next moves in the album and plays, a song's own tags
# give its title, artist and cover, the volume is set, every change is
# announced, Raise brings back the window hidden in the tray. (Each command
# in each state, and the metadata's fields: tst_mpris; their types on the
# bus: tst_mediabus; a song that ends followed by the next: tst_mediaplayer.)
# Closed in the middle of song 3, the program remembers
# it; the next start plays it on from where it was, and Quit closes the
# program as its window's close button does.
if [ -z "${TV_PRIVATE_BUS:-}" ]; then
    exec env TV_PRIVATE_BUS=1 dbus-run-session -- bash "$0" "$@"
fi
source "${TV_E2E_LIB:-$(dirname "$0")/lib.sh}"

player=$tv_player
get() { tv_mpris org.freedesktop.DBus.Properties.Get "$1" "$2"; }
status_is() { [ "$(get "$player" PlaybackStatus)" = "(<'$1'>,)" ]; }
# Waits for the status; the program carries out a call after answering it.
expect_status() {
    tv_retry 10 status_is "$1" || tv_fail "status is $(get "$player" PlaybackStatus), not $1"
}
metadata() { get "$player" Metadata; }
title_is() { metadata | grep -F "'xesam:title': <'$1'>" >/dev/null; }
expect_title() { tv_retry 10 title_is "$1" || tv_fail "not playing $1: $(metadata)"; }
# Where the song playing stands, in milliseconds (empty without a player).
position_ms() {
    local us
    us=$(get "$player" Position 2>/dev/null | sed -n 's/^(<int64 \([0-9]*\)>,)$/\1/p')
    [ -z "$us" ] || echo $((us / 1000))
}
# The song that plays is this file of the music folder, and it plays.
plays() { metadata | grep -F "'xesam:url': <'file://$music/$1'>" >/dev/null && status_is Playing; }
expect_playing() {
    tv_retry 20 plays "$1" || tv_fail "not playing $1: $(metadata); $(cat "$dir/stderr.log")"
}
past_ms() { local at; at=$(position_ms); [ -n "$at" ] && [ "$at" -ge "$1" ]; }
# Song 3 is loaded: the player knows its length.
loaded() { metadata | grep -F "'mpris:length'" | grep -F "'xesam:title': <'Звезда'>" >/dev/null; }

tv_start_desktop
tv_library
music="$(cd "$dir" && pwd -P)/music"
mkdir -p "$music/more"
for f in 1 2 more/3 4; do cp "$TV_TEST_DATA/tone-10s.mp3" "$music/$f.mp3"; done
tv_run "$dir" "$music/2.mp3" "$music/more"
wid=$(tv_wait_window '^Тонвела для MP3$')
tv_retry 20 get "$player" PlaybackStatus || tv_fail "no player on the bus: $(cat "$dir/stderr.log")"
expect_playing 2.mp3
tv_screenshot open-files-started
[ -z "$(xdotool search --onlyvisible --name '^Добавить файл' 2>/dev/null)" ] ||
    tv_fail "the add-files browser opened over the given files"
# Each file is handed over once the one before has sound: handed over while
# the engine still sets the one before up, the next file can be left paused
# (a fault of the player's, not what this script checks).
tv_retry 10 past_ms 300 || tv_fail "2.mp3 does not run on: at $(position_ms) ms"
(cd "$music" && timeout 20 "$dir/tonvela" 1.mp3) || tv_fail "the second copy did not end well"
expect_playing 1.mp3
tv_retry 10 past_ms 300 || tv_fail "1.mp3 does not run on: at $(position_ms) ms"
tv_mpris "$player.OpenUri" "file://$music/4.mp3" >/dev/null || tv_fail "OpenUri refused"
expect_playing 4.mp3
# The album is changed: closing asks to save it (answered No).
echo No >"$dir/answers.txt"
tv_close_window "$wid"
tv_wait_exit 20
[ "$(grep -c '^MsgBox' "$dir/dialogs.log")" = 1 ] ||
    tv_fail "not one save question: $(cat "$dir/dialogs.log")"
[ -z "$(find "$dir" -name '*.alb')" ] || tv_fail "an album file was written"
# The album never saved is the one registry entry, with no name, at the
# song that played last.
tv_ini "$TV_TMP/ini" 0 "" " 3"
tv_same "$TV_TMP/ini" "$dir/Тонвела для mp3.ini"

tv_library
# Song 3 carries an ID3v2.4 tag with a front cover.
for f in 1 2; do cp "$TV_TEST_DATA/tone-10s.mp3" "$dir/music/$f.mp3"; done
convert -size 4x3 xc:red "png:$TV_TMP/cover.png"
{ printf '\0image/png\0\003\0'; cat "$TV_TMP/cover.png"; } >"$TV_TMP/apic"
{
    tv_id3v2_text 4 TPE1 3 "Кино"
    tv_id3v2_text 4 TIT2 3 "Звезда"
    tv_id3v2_frame 4 APIC "$TV_TMP/apic"
} >"$TV_TMP/frames"
tv_id3v2_mp3 "$dir/music/3.mp3" 4 "$TV_TMP/frames" "$TV_TEST_DATA/tone-10s.mp3"
export XDG_CACHE_HOME=$TV_TMP/cache
tv_write_1251 "$dir/rock.alb" " 3 " "Первая${app}music/1.mp3" "Вторая${app}music/2.mp3" \
    "Третья${app}music/3.mp3"
tv_ini "$dir/Тонвела для mp3.ini" 1 rock.alb "rock.alb 1"

LC_ALL=C.UTF-8 gdbus monitor --session --dest "$tv_service" >"$TV_TMP/signals.log" 2>&1 &
TV_PIDS+=($!)
tv_run "$dir"
wid=$(tv_wait_window '^Tonvela for MP3 - rock\.alb$')
tv_screenshot resumed-song-2
tv_retry 20 get "$player" PlaybackStatus || tv_fail "no player on the bus: $(cat "$dir/stderr.log")"
[ "$(get org.mpris.MediaPlayer2 Identity)" = "(<'Tonvela for MP3'>,)" ] ||
    tv_fail "identity: $(get org.mpris.MediaPlayer2 Identity)"

# The remembered song 2 plays.
expect_status Playing
expect_title Вторая

tv_mpris "$player.Pause" >/dev/null
expect_status Paused

# Next plays song 3, named by its tag, as playerctl metadata shows it, with its cover.
tv_mpris "$player.Next" >/dev/null
expect_title Звезда
meta=$(metadata)
grep -F "'xesam:artist': <['Кино']>" <<<"$meta" >/dev/null || tv_fail "no artist: $meta"
cover=$(sed -n "s|.*'mpris:artUrl': <'file://\([^']*\)'>.*|\1|p" <<<"$meta")
[[ "$cover" == "$XDG_CACHE_HOME/tonvela/covers/"* ]] && cmp -s "$cover" "$TV_TMP/cover.png" ||
    tv_fail "no cover in the cache: $meta"

tv_mpris org.freedesktop.DBus.Properties.Set "$player" Volume "<0.25>" >/dev/null
volume=$(get "$player" Volume)
[[ "$volume" =~ ^\(\<0\.2(5|49) ]] || tv_fail "volume reads back as $volume"

# Every change was announced: the pause, the songs, the volume.
tv_retry 10 grep -F "'PlaybackStatus': <'Paused'>" "$TV_TMP/signals.log" ||
    tv_fail "no PropertiesChanged for the pause: $(cat "$TV_TMP/signals.log")"
for field in "'xesam:title': <'Звезда'>" "'Volume': <0.2"; do
    grep -F "$field" "$TV_TMP/signals.log" >/dev/null ||
        tv_fail "no PropertiesChanged with $field: $(cat "$TV_TMP/signals.log")"
done

# Hidden in the tray, the window comes back on Raise.
xdotool windowminimize "$wid"
tv_retry 10 tv_is_unmapped "$wid" || tv_fail "the minimised window is still on screen"
tv_mpris org.mpris.MediaPlayer2.Raise >/dev/null
tv_retry 10 tv_is_mapped "$wid" || tv_fail "Raise did not bring the window back"
tv_screenshot mpris-raised

# Closed in the middle of song 3: the song and its position are remembered.
tv_retry 10 past_ms 1000 || tv_fail "song 3 does not run on: at $(position_ms) ms"
at=$(position_ms)
tv_close_window "$wid"
tv_wait_exit 20
tv_ini "$TV_TMP/ini" 1 rock.alb "rock.alb 2"
tv_same "$TV_TMP/ini" "$dir/Тонвела для mp3.ini"
tv_no_dialogs
saved=$(sed -n '5{s/[ \r]//g;p}' "$dir/Тонвела для mp3.pos")
[[ "$saved" =~ ^[0-9]+$ ]] && [ "$saved" -ge $((at - 500)) ] && [ "$saved" -le $((at + 3000)) ] ||
    tv_fail "no position of song 3 kept (at $at ms before closing): $(cat -A "$dir/Тонвела для mp3.pos")"

tv_run "$dir"
wid=$(tv_wait_window '^Tonvela for MP3 - rock\.alb$')
tv_retry 20 loaded || tv_fail "song 3 not loaded: $(metadata) $(cat "$dir/stderr.log")"
resumed=$(position_ms)
[ "$resumed" -ge $((saved - 1000)) ] && [ "$resumed" -le $((saved + 2000)) ] ||
    tv_fail "resumed at $resumed ms, not at $saved ms"
# And it plays on from there, not from the start.
sleep 1
later=$(position_ms)
[ "$later" -ge "$saved" ] || tv_fail "at $later ms a second after resuming at $saved ms"
tv_screenshot resumed-in-song-3
# Quit closes the program as its window's close button does.
tv_mpris org.mpris.MediaPlayer2.Quit >/dev/null
tv_wait_exit 20
tv_same "$TV_TMP/ini" "$dir/Тонвела для mp3.ini"
tv_no_dialogs
