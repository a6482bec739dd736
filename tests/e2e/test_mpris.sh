#!/usr/bin/env bash
# The desktop's player controls on a private session bus, called as playerctl
# and the media keys do: the program resumes the remembered song and answers
# for it, Pause and Play act on it, Previous and Next move in the album, a
# song's own tags give its title, artist and cover, the volume is set, Raise
# brings back the window hidden in the tray, and Quit closes the program as
# its window's close button does.
if [ -z "${TV_PRIVATE_BUS:-}" ]; then
    exec env TV_PRIVATE_BUS=1 dbus-run-session -- bash "$0" "$@"
fi
source "${TV_E2E_LIB:-$(dirname "$0")/lib.sh}"

service=$tv_service
player=$tv_player
mpris() { tv_mpris "$@"; }
get() { mpris org.freedesktop.DBus.Properties.Get "$1" "$2"; }
status_is() { [ "$(get "$player" PlaybackStatus)" = "(<'$1'>,)" ]; }
# Waits for the status; the program carries out a call after answering it.
expect_status() {
    tv_retry 10 status_is "$1" || tv_fail "status is $(get "$player" PlaybackStatus), not $1"
}
metadata() { get "$player" Metadata; }
title_is() { metadata | grep -F "'xesam:title': <'$1'>" >/dev/null; }
expect_title() { tv_retry 10 title_is "$1" || tv_fail "not playing $1: $(metadata)"; }

tv_start_desktop
dir=$(tv_new_folder)
app=$(tv_lettered "$dir")
mkdir -p "$dir/music"
for n in 1 2; do cp "$TV_TEST_DATA/tone-10s.mp3" "$dir/music/$n.mp3"; done
# Song 3 carries an ID3v2.4 tag with a front cover.
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
tv_write_1251 "$dir/Тонвела для mp3.ini" "[language]" " 1 " "[albom]" " 0 " "rock.alb" " 1 " \
    "[showform]" "True" "[musicnonstop]" "False" "[nameendalbom]" "rock.alb" \
    "[namepesni]" " 0 " "[strDir]" "$app"

LC_ALL=C.UTF-8 gdbus monitor --session --dest "$service" >"$TV_TMP/signals.log" 2>&1 &
TV_PIDS+=($!)
tv_run "$dir"
wid=$(tv_wait_window '^Tonvela for MP3 - rock\.alb$')
tv_retry 20 get "$player" PlaybackStatus || tv_fail "no player on the bus: $(cat "$dir/stderr.log")"
[ "$(get org.mpris.MediaPlayer2 Identity)" = "(<'Tonvela for MP3'>,)" ] ||
    tv_fail "identity: $(get org.mpris.MediaPlayer2 Identity)"

# The remembered song 2 plays; its metadata names it, its album and its file.
expect_status Playing
expect_title Вторая
meta=$(metadata)
for field in "'mpris:trackid': <objectpath '/org/tonvela/song/1'>" "'xesam:album': <'rock'>" \
    "'xesam:url': <'file://$(cd "$dir" && pwd -P)/music/2.mp3'>" "'mpris:length': <int64 "; do
    grep -F "$field" <<<"$meta" >/dev/null || tv_fail "metadata lacks $field: $meta"
done

mpris "$player.Pause" >/dev/null
expect_status Paused
mpris "$player.Play" >/dev/null
expect_status Playing
expect_title Вторая
mpris "$player.Previous" >/dev/null
expect_title Первая
mpris "$player.Next" >/dev/null
expect_title Вторая
expect_status Playing

# Song 3 is named by its tag, as playerctl metadata shows it, with its cover.
mpris "$player.Next" >/dev/null
expect_title Звезда
meta=$(metadata)
grep -F "'xesam:artist': <['Кино']>" <<<"$meta" >/dev/null || tv_fail "no artist: $meta"
cover=$(sed -n "s|.*'mpris:artUrl': <'file://\([^']*\)'>.*|\1|p" <<<"$meta")
[[ "$cover" == "$XDG_CACHE_HOME/tonvela/covers/"* ]] && cmp -s "$cover" "$TV_TMP/cover.png" ||
    tv_fail "no cover in the cache: $meta"

mpris org.freedesktop.DBus.Properties.Set "$player" Volume "<0.25>" >/dev/null
volume=$(get "$player" Volume)
[[ "$volume" =~ ^\(\<0\.2(5|49) ]] || tv_fail "volume reads back as $volume"

# Every change was announced: the pause, the songs, the volume.
tv_retry 10 grep -F "'PlaybackStatus': <'Paused'>" "$TV_TMP/signals.log" ||
    tv_fail "no PropertiesChanged for the pause: $(cat "$TV_TMP/signals.log")"
for field in "'xesam:title': <'Первая'>" "'Volume': <0.2"; do
    grep -F "$field" "$TV_TMP/signals.log" >/dev/null ||
        tv_fail "no PropertiesChanged with $field: $(cat "$TV_TMP/signals.log")"
done

# Hidden in the tray, the window comes back on Raise.
xdotool windowminimize "$wid"
tv_retry 10 tv_is_unmapped "$wid" || tv_fail "the minimised window is still on screen"
mpris org.mpris.MediaPlayer2.Raise >/dev/null
tv_retry 10 tv_is_mapped "$wid" || tv_fail "Raise did not bring the window back"
tv_screenshot mpris-raised

# The song playing at Quit is remembered (song 2, index 1, unless the engine
# gave it up on the way: then the program says why and has moved on).
playing=$(metadata | sed -n "s|.*/org/tonvela/song/\([0-9]*\)'.*|\1|p")
[ "$playing" = 1 ] || tv_log "song index $playing plays at Quit: $(cat "$dir/stderr.log")"
mpris org.mpris.MediaPlayer2.Quit >/dev/null
tv_wait_exit 20
ini="$dir/Тонвела для mp3.ini"
[ "$(sed -n '6p' "$ini")" = " $playing "$'\r' ] ||
    tv_fail "song $playing not remembered: $(cat -A "$ini"); the program said: $(cat "$dir/stderr.log")"
[ "$(sed -n '/^\[showform\]/{n;p}' "$ini")" = $'True\r' ] ||
    tv_fail "the window was not remembered as shown: $(cat -A "$ini")"
[ ! -s "$dir/dialogs.log" ] || tv_fail "unexpected dialogs: $(cat "$dir/dialogs.log")"
tv_log "PASS"
