#!/usr/bin/env bash
# First start in an empty folder, the add-files browser left with Esc, closed
# through its window: the settings file holds exactly what this run leaves
# behind.
source "${TV_E2E_LIB:-$(dirname "$0")/lib.sh}"

tv_start_desktop
tv_first_start
tv_screenshot start-empty-folder
tv_close_window "$wid"
tv_wait_exit 20

# The empty album "New" (never saved) is the one registry entry.
app=$(tv_lettered "$dir")
tv_expect_bytes "$dir/Тонвела для mp3.ini" \
    "[language]\r\n 0 \r\n[albom]\r\n 0 \r\n\r\n-1 \r\n[showform]\r\nTrue\r\n[musicnonstop]\r\nFalse\r\n[nameendalbom]\r\n\r\n[namepesni]\r\n 0 \r\n[strDir]\r\n${app}\r\n"
# Nothing but the settings was written, and no message box was shown.
[ ! -s "$dir/dialogs.log" ] || tv_fail "unexpected dialogs: $(cat "$dir/dialogs.log")"
[ -z "$(find "$dir" -name '*.alb')" ] || tv_fail "an album file was written"
tv_log "PASS"
