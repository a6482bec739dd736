#!/usr/bin/env bash
# The main window has a fixed single border with a minimise button: the
# window manager is told a fixed size and no resizing or maximising, and
# does not offer them.
source "${TV_E2E_LIB:-$(dirname "$0")/lib.sh}"

tv_start_desktop
dir=$(tv_new_folder)
# An album, so that the start does not offer the add-files browser first.
tv_write_1251 "$dir/a.alb" " 0 "
tv_run "$dir"
wid=$(tv_wait_window '^Тонвела для MP3 - a\.alb$')
tv_screenshot window-frame

hints=$(xprop -id "$wid" WM_NORMAL_HINTS)
min=$(sed -n 's/.*minimum size: \([0-9]* by [0-9]*\).*/\1/p' <<<"$hints")
max=$(sed -n 's/.*maximum size: \([0-9]* by [0-9]*\).*/\1/p' <<<"$hints")
[ -n "$min" ] && [ "$min" = "$max" ] || tv_fail "the size is not fixed: $hints"

# _MOTIF_WM_HINTS: flags, functions, decorations. Functions: resize 0x2,
# minimise 0x8, maximise 0x10; decorations: resize handles 0x4, minimise
# 0x20, maximise 0x40.
read -r _ functions decorations _ < <(xprop -id "$wid" _MOTIF_WM_HINTS | tr -d ',' |
    awk -F' = ' '{print $2}')
(( (functions & 0x12) == 0 && (functions & 0x8) != 0 )) ||
    tv_fail "the Motif functions offer resizing or maximising, or no minimising: $functions"
(( (decorations & 0x44) == 0 && (decorations & 0x20) != 0 )) ||
    tv_fail "the Motif decorations offer resizing or maximising, or no minimising: $decorations"

actions=$(xprop -id "$wid" _NET_WM_ALLOWED_ACTIONS)
grep -q '_NET_WM_ACTION_MINIMIZE' <<<"$actions" || tv_fail "no minimising: $actions"
if grep -qE '_NET_WM_ACTION_(MAXIMIZE|RESIZE)' <<<"$actions"; then
    tv_fail "the window manager offers resizing or maximising: $actions"
fi
tv_close_window "$wid"
tv_wait_exit 20
tv_log "PASS"
