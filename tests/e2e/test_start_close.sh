#!/usr/bin/env bash
# First start in an empty folder, the add-files browser left with Esc.
# Minimising hides the window to the notification area; starting the program
# a second time in the same folder brings it back, in the normal state (not
# through the iconified one), and the second copy ends at once. Closed
# through its window, the program leaves the settings file alone behind,
# holding exactly this run.
source "${TV_E2E_LIB:-$(dirname "$0")/lib.sh}"

tv_start_desktop
tv_first_start
tv_screenshot start-empty-folder
xdotool windowminimize "$wid"
tv_retry 10 tv_is_unmapped "$wid" || tv_fail "the minimised window is still on screen"
# The window manager iconifies it first, then the program withdraws it: only
# from then on is an Iconic state news.
withdrawn() { ! xprop -id "$wid" WM_STATE | grep 'window state' >/dev/null; }
tv_retry 10 withdrawn || tv_fail "the minimised window was not hidden to the tray"
# Its states from here on: it must come back straight to Normal. Mapped
# iconified on the way, a late report of that state would minimise it, and so
# hide it to the tray, again (the close below would then reach nothing).
xprop -spy -id "$wid" WM_STATE >"$TV_TMP/states" 2>&1 &
TV_PIDS+=($!)
tv_retry 10 test -s "$TV_TMP/states" || tv_fail "cannot watch the window's state"

timeout 20 "$dir/tonvela" >"$dir/second.log" 2>&1 || tv_fail "the second copy did not end at once, or failed"
tv_retry 10 tv_is_mapped "$wid" || tv_fail "the window did not come back"
tv_retry 10 tv_is_managed "$wid" || tv_fail "the window is not in the normal state"
if grep -q Iconic "$TV_TMP/states"; then
    tv_fail "the window came back through the iconified state: $(tr '\n\t' '  ' <"$TV_TMP/states")"
fi
tv_screenshot minimise-brought-back
tv_close_window "$wid"
tv_wait_exit 20

# The empty album "New" (never saved) is the one registry entry, the window
# remembered as shown; nothing else was written, no message box shown.
app=$(tv_lettered "$dir")
tv_ini "$TV_TMP/ini" 0 "" " -1"
tv_same "$TV_TMP/ini" "$dir/Тонвела для mp3.ini"
tv_no_dialogs
[ -z "$(find "$dir" -name '*.alb')" ] || tv_fail "an album file was written"
tv_log "PASS"
