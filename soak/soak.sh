#!/usr/bin/env bash
# Floods the installed program with remote-control calls sent without waiting
# for their answers (Next, Previous, PlayPause, Stop, Seek, OpenUri of songs
# no album holds), with album picks by the main window's keys among them; the
# open album starts changed (a song added, not saved), so that moving on asks
# to save it (the dialogs answer their first button: Yes). Then the program
# must still answer its bus and its window within a second, write its
# settings on Quit, and no added song may be lost.
# Not part of CTest: run by `make soak`. SOAK_CALLS sets the number of calls.
# The end-to-end helpers give it a session bus of its own.
source "$(dirname "$0")/../tests/e2e/lib.sh"

calls=${SOAK_CALLS:-10000}
player=org.mpris.MediaPlayer2.Player

get() { tv_mpris org.freedesktop.DBus.Properties.Get "$player" "$1"; }
answers_bus() { tv_mpris org.freedesktop.DBus.Properties.Get "$player" PlaybackStatus -t 1; }

# One line per call, in the order dbus-send takes its arguments.
call_lines() {
    local i method
    local methods=(Next Previous PlayPause Stop Seek Next Previous Next OpenUri)
    for ((i = 0; i < calls; i++)); do
        method=${methods[RANDOM % ${#methods[@]}]}
        if [ "$method" = Seek ]; then
            echo "$player.Seek int64:$(((RANDOM % 7 - 3) * 1000000))"
        elif [ "$method" = OpenUri ]; then
            echo "$player.OpenUri string:$(extra_uri $((RANDOM % extras)))"
        else
            echo "$player.$method"
        fi
    done
}

# Sends the lines without waiting for answers, four senders at a time.
flood() {
    xargs -P 4 -L 1 dbus-send --session --type=method_call --dest="$tv_service" \
        /org/mpris/MediaPlayer2
}

# Album picks by the keys: the album list takes the focus (Tab), the next
# album is selected and opened with Enter; or a song is started in the list.
keys() {
    local wid=$1 end=$2
    while kill -0 "$end" 2>/dev/null; do
        xdotool key --clearmodifiers --window "$wid" Tab Down Return 2>/dev/null || true
        sleep 0.3
    done
}

tv_start_desktop
dir=$(tv_new_folder)
app=$(tv_lettered "$dir")
mkdir -p "$dir/music" "$dir/extra"
# Songs that only OpenUri brings into an album.
extras=4
extra_uri() { echo "file://$dir/extra/x$1.mp3"; }
for ((n = 0; n < extras; n++)); do
    cp "$TV_TEST_DATA/tone-0.8s.mp3" "$dir/extra/x$n.mp3"
done
for album in a b c; do
    songs=()
    for n in 1 2 3 4; do
        cp "$TV_TEST_DATA/tone-0.8s.mp3" "$dir/music/$album$n.mp3"
        songs+=("Song $album$n${app}music/$album$n.mp3")
    done
    tv_write_1251 "$dir/$album.alb" " 4 " "${songs[@]}"
done
ini="$dir/Тонвела для mp3.ini"
tv_write_1251 "$ini" "[language]" " 1 " "[albom]" " 0 " "a.alb" " 1 " \
    "[showform]" "True" "[musicnonstop]" "True" "[nameendalbom]" "a.alb" \
    "[namepesni]" " 0 " "[strDir]" "$app"

tv_run "$dir"
wid=$(tv_wait_window '^Tonvela for MP3 - a\.alb$')
tv_retry 20 get PlaybackStatus || tv_fail "no player on the bus: $(cat "$dir/stderr.log")"
# The album a changed: a song added and playing, not saved.
tv_mpris "$player.OpenUri" "'$(extra_uri 0)'" -t 5 >/dev/null || tv_fail "OpenUri was not answered"

start=$SECONDS
call_lines | flood &
sender=$!
keys "$wid" "$sender" &
presser=$!
TV_PIDS+=("$sender" "$presser")
wait "$sender" || tv_fail "the calls could not all be sent"
wait "$presser" || true
sent=$((SECONDS - start))
tv_log "$calls calls sent in ${sent}s"

# The calls sent are queued at the program; it may take a while to work
# through them, but it must get through them.
if ! tv_retry 120 answers_bus; then
    # Where it hangs, for whoever looks.
    if command -v gdb >/dev/null; then
        gdb -p "$TV_APP_PID" -batch -ex "thread apply all bt" >"$TV_ARTIFACTS/soak-hang.txt" 2>&1 || true
    fi
    tv_fail "the bus is not answered: the program hangs (threads: $TV_ARTIFACTS/soak-hang.txt)"
fi
drained=$((SECONDS - start))
for probe in 1 2 3; do
    answers_bus >/dev/null || tv_fail "probe $probe: no answer on the bus within a second"
    sleep 0.5
done

# The window answers: minimised it goes to the tray, Raise brings it back.
xdotool windowminimize "$wid"
tv_retry 1 tv_is_unmapped "$wid" || tv_fail "the window did not go to the tray within a second"
tv_mpris org.mpris.MediaPlayer2.Raise -t 1 >/dev/null || tv_fail "Raise was not answered"
tv_retry 1 tv_is_mapped "$wid" || tv_fail "the window did not come back within a second"

# The settings are written anew at Quit.
rm -f "$ini"
tv_mpris org.mpris.MediaPlayer2.Quit -t 1 >/dev/null || tv_fail "Quit was not answered"
tv_wait_exit 20
[ -s "$ini" ] || tv_fail "no settings written at Quit"
# Every album that was left or closed with added songs was saved first.
grep -qs "x0.mp3" "$dir"/*.alb || tv_fail "the song added to album a is in no album"
asked=$(grep -c '^MsgBox' "$dir/dialogs.log" || true)
tv_log "PASS: $calls calls sent in ${sent}s, answered again after ${drained}s; $asked questions answered; $(grep -c . "$dir/stderr.log" || true) lines on the error output: $(head -c 300 "$dir/stderr.log")"
