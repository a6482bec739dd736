#!/usr/bin/env bash
# Every way out of the program ends the process at once with status 0, the
# settings file written whole: File > Exit, the tray menu's Exit (window shown
# or hidden), and closing the window while a popup menu or a message box of
# start-up is open: the run ends inside the tray icon's own click handler,
# whose window the shutdown deletes, and before the main loop has begun.
# (Closing it while a modal window is open:
# test_main_window.) SIGTERM and SIGHUP are a close with no one to ask: the
# settings and where the song playing stood are written; a SIGHUP the program
# was started ignoring (nohup) stays ignored. (A changed album left unsaved,
# and the session's end: tst_startup.)
source "${TV_E2E_LIB:-$(dirname "$0")/lib.sh}"

# Starts the program in a fresh folder holding a.alb and b.alb, whose settings
# say whether the window shows (True or False) and name the album open last;
# wid is the main window's id (none when hidden). A fourth argument answers
# the first dialog. With $song set, a.alb holds one song of 10 s.
start() {
    local showform=$1 last=$2 title=$3
    dir=$(tv_new_folder)
    if [ -n "${song:-}" ]; then
        cp "$TV_TEST_DATA/tone-10s.mp3" "$dir/song.mp3"
        tv_write_1251 "$dir/a.alb" " 1 " "$song$(tv_lettered "$dir")song.mp3"
    else
        tv_write_1251 "$dir/a.alb" " 0 "
    fi
    tv_write_1251 "$dir/b.alb" " 0 "
    tv_write_1251 "$dir/Тонвела для mp3.ini" "[showform]" "$showform" "[nameendalbom]" "$last"
    [ -z "${4:-}" ] || echo "$4" >"$dir/answers.txt"
    tv_run "$dir"
    wid=$([ "$showform" = False ] || tv_wait_window "$title")
    tv_retry 30 tv_tray_icon || tv_fail "no tray icon"
}

# The way out was taken: the program ends within 3 s, and the settings file
# holds the whole run (its last section included).
ended() {
    local name=$1 showform=$2 ini="$dir/Тонвела для mp3.ini"
    tv_wait_exit 3
    [ "$(sed -n '/^\[showform\]/{n;p}' "$ini")$(tail -n 2 "$ini" | head -n 1)" = "$showform"$'\r[strDir]\r' ] ||
        tv_fail "$name: [showform] is not $showform, or the settings file is not whole: $(cat -A "$ini")"
}

tv_start_desktop

open_file() { tv_click_opens "$wid" 20 10 1; }
open_tray() { tv_click_opens "$(tv_tray_icon)" 11 11 3; }
leave_by_exit() { xdotool key Up Return; } # "Выход", the menu's last item
leave_by_close() { tv_wm_close "$wid"; }
# A popup menu opened (the main window's File menu, or the tray's), then
# its Exit taken, or the window closed while the menu is open (the tray's
# menu runs a loop of its own). Rows: menu, way out, window shown.
for way in "file exit True" "tray exit True" "tray exit False" "tray close True" "file close True"; do
    read -r menu how shown <<<"$way"
    start "$shown" a.alb '^Тонвела для MP3 - a\.alb$'
    "open_$menu"
    tv_screenshot "$menu-menu-$how-window-$shown"
    "leave_by_$how"
    ended "$menu menu, $how, window shown $shown" "$shown"
done

# Closing the window while start-up's message box is open: the album of the
# last run is gone, and the box is left on the screen.
start True gone.alb '^gone\.alb$' Show
tv_retry 10 grep -q 'Файл не найден' "$dir/dialogs.log" || tv_fail "no message box"
tv_retry 10 tv_more_windows 2 || tv_fail "the message box is not on the screen"
tv_screenshot close-with-message-box
tv_wm_close "$wid"
ended "close with a message box open" True

# A signal while a song plays: the program ends as at a close, the song's
# place kept.
playing() {
    [ "$(tv_mpris org.freedesktop.DBus.Properties.Get org.mpris.MediaPlayer2.Player \
        PlaybackStatus 2>/dev/null)" = "(<'Playing'>,)" ]
}
song=Песня
for sig in TERM HUP; do
    start True a.alb '^Тонвела для MP3 - a\.alb$'
    tv_retry 20 playing || tv_fail "SIG$sig: the song does not play: $(cat "$dir/stderr.log")"
    kill -"$sig" "$TV_APP_PID"
    ended "SIG$sig" True
    pos=$(iconv -f CP1251 -t UTF-8 "$dir/Тонвела для mp3.pos" | tr -d '\r')
    grep -q $'^a\\.alb\t0\t[0-9]*\t[0-9]*\tПесня' <<<"$pos" ||
        tv_fail "SIG$sig: no place of the song kept: $(cat -A "$dir/Тонвела для mp3.pos")"
done

# Started ignoring SIGHUP (nohup), the program outlives a closed terminal: it
# still answers after the signal, and SIGTERM then ends it.
trap '' HUP
start True a.alb '^Тонвела для MP3 - a\.alb$'
trap - HUP
tv_retry 20 playing || tv_fail "nohup: the song does not play"
kill -HUP "$TV_APP_PID"
playing && ! tv_ended || tv_fail "nohup: SIGHUP ended the program"
kill -TERM "$TV_APP_PID"
ended "SIGTERM after an ignored SIGHUP" True
