#!/usr/bin/env bash
# Listening from the tray with non-stop off, the end of an album brings up the
# album-list window above every other window. Enter on the next album plays it
# while the main window stays hidden, and at its end the window comes back.
# With it up, the tray menu still works (Hide/Show twice: the main window
# comes back below the list and goes again); Escape closes the list. (What
# each way out of the list plays: tst_listalbom.) A single click on the tray icon does nothing, a
# double-click brings the main window back.
source "${TV_E2E_LIB:-$(dirname "$0")/lib.sh}"

list_name='^List of playlist$'

# Waits for the album-list window; checks that it keeps above the others and
# has the keyboard (so the window manager took it); prints it.
wait_list_window() {
    local lw props
    tv_retry 20 tv_find_window "$list_name" || tv_fail "no album-list window at the end of the album"
    lw=$(tv_find_window "$list_name") || tv_fail "the album-list window went again"
    props=$(xprop -id "$lw" _NET_WM_STATE _NET_WM_WINDOW_TYPE)
    [[ "$props" == *_NET_WM_STATE_ABOVE* && "$props" == *_NET_WM_WINDOW_TYPE_UTILITY* ]] ||
        tv_fail "the album-list window is not kept above, or would get a task bar button: $props"
    tv_retry 10 tv_is_active "$lw" || tv_fail "the album-list window does not take the keys"
    echo "$lw"
}

tv_is_active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
no_list_window() { tv_no_window "$list_name"; }
title_is() { [ "$(xdotool getwindowname "$wid")" = "Tonvela for MP3 - $1" ]; }

# Whether window $1 lies above window $2 in the window manager's stacking order.
stacked_above() {
    local order
    order=$(xprop -root _NET_CLIENT_LIST_STACKING | grep -o '0x[0-9a-f]*' | xargs printf '%d ')
    [[ " $order" == *" $2 "*" $1 "* ]]
}

# Clicks the tray icon with a button, once or twice. (--sync would wait in
# vain when the pointer is there already.)
click_tray() {
    xdotool mousemove --window "$(tv_tray_icon)" 11 11 sleep 0.2 click --repeat "$2" --delay 80 "$1"
}
# The tray menu's first item, Hide/Show.
hide_show() {
    tv_click_opens "$(tv_tray_icon)" 11 11 3
    xdotool key Down Return
}

# The albums a (a 3 s song, time to minimise the window, then a 0.4 s one), b
# and c (one 0.4 s song each); a.alb is resumed.
tv_start_desktop
tv_library
cp "$TV_TEST_DATA/tone-3s.mp3" "$dir/music/long.mp3"
cp "$TV_TEST_DATA/tone-0.4s.mp3" "$dir/music/short.mp3"
tv_write_1251 "$dir/a.alb" " 2 " "First${app}music/long.mp3" "Second${app}music/short.mp3"
tv_write_1251 "$dir/b.alb" " 1 " "Third${app}music/short.mp3"
tv_write_1251 "$dir/c.alb" " 1 " "Fourth${app}music/short.mp3"
tv_ini "$dir/Тонвела для mp3.ini" 1 a.alb "a.alb 0" "b.alb 0" "c.alb 0"
tv_run "$dir"
wid=$(tv_wait_window '^Tonvela for MP3 - a\.alb$')
xdotool windowminimize "$wid"
tv_retry 10 tv_is_unmapped "$wid" || tv_fail "the minimised window is still on screen"

lw=$(wait_list_window)
tv_screenshot album-list-at-album-end
xdotool key Down Return
tv_retry 10 no_list_window || tv_fail "the album-list window stays after the pick"
tv_retry 10 title_is b.alb || tv_fail "the picked album did not open"
# b plays to its end: the window is offered again, with b selected.
lw=$(wait_list_window)
tv_is_unmapped "$wid" || tv_fail "the main window came back at the end of a or b, or after the pick"
tv_screenshot album-list-after-b

hide_show
tv_retry 10 tv_is_mapped "$wid" || tv_fail "the tray menu's Hide/Show did not show the main window"
tv_retry 10 stacked_above "$lw" "$wid" || tv_fail "the album-list window went below the main window"
tv_screenshot album-list-above-main-window
hide_show
tv_retry 10 tv_is_unmapped "$wid" || tv_fail "the tray menu's Hide/Show did not hide the main window"
xdotool windowactivate --sync "$lw"
xdotool key Escape
tv_retry 10 no_list_window || tv_fail "Escape did not close the album-list window"

click_tray 1 1
sleep 1
tv_is_unmapped "$wid" || tv_fail "a single click on the tray icon showed the main window"
sleep 1
click_tray 1 2
tv_retry 10 tv_is_mapped "$wid" || tv_fail "a double-click on the tray icon did not bring the window back"
tv_wm_close "$wid"
tv_wait_exit 20
[ ! -s "$dir/dialogs.log" ] || tv_fail "unexpected dialogs: $(cat "$dir/dialogs.log")"
