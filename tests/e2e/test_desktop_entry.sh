#!/usr/bin/env bash
# The install lays out a menu entry that desktop-file-validate passes and the
# program icon in every size of the theme; registering copies both into the
# user's data folder; the desktop starts the installed program from its entry,
# also from a folder whose name needs quoting on a command line.
source "${TV_E2E_LIB:-$(dirname "$0")/lib.sh}"
: "${TV_BUILD:?TV_BUILD must name the build folder}"
register="$(dirname "$TV_E2E_LIB")/../../scripts/register-desktop.sh"

# Checks an installed program folder: the entry and the icons.
check_installed() {
    local prefix=$1 entry="$1/share/applications/tonvela.desktop" report size icon
    [ -f "$entry" ] || tv_fail "no entry $entry"
    report=$(desktop-file-validate "$entry" 2>&1) || tv_fail "desktop-file-validate: $report"
    [ -z "$report" ] || tv_fail "desktop-file-validate warns: $report"
    grep -Fx "TryExec=$prefix/tonvela" "$entry" >/dev/null ||
        tv_fail "TryExec does not name $prefix/tonvela: $(cat "$entry")"
    for size in 16 22 24 32 48 64 128 256; do
        icon="$prefix/share/icons/hicolor/${size}x${size}/apps/tonvela.png"
        [ "$(identify -format '%wx%h' "$icon")" = "${size}x${size}" ] || tv_fail "icon $icon"
    done
}

check_installed "$(dirname "$TV_EXE")"
grep -Fx "Exec=$(dirname "$TV_EXE")/tonvela %F" "$(dirname "$TV_EXE")/share/applications/tonvela.desktop" \
    >/dev/null || tv_fail "Exec does not name the installed program"

# A folder name with blanks, $, an apostrophe, brackets and Cyrillic. (A "%",
# doubled in Exec as the format asks, is not found by GLib's own check.)
odd="$TV_TMP/Мой плеер's \$HOME (копия)"
cmake --install "$TV_BUILD" --prefix "$odd" >/dev/null
check_installed "$odd"

export XDG_DATA_HOME="$TV_TMP/data"
bash "$register" "$odd"
bash "$register" "$odd" # again: replaces, does not fail
entry="$XDG_DATA_HOME/applications/tonvela.desktop"
cmp "$odd/share/applications/tonvela.desktop" "$entry" || tv_fail "registered entry differs"
for size in 16 22 24 32 48 64 128 256; do
    cmp "$odd/share/icons/hicolor/${size}x${size}/apps/tonvela.png" \
        "$XDG_DATA_HOME/icons/hicolor/${size}x${size}/apps/tonvela.png" ||
        tv_fail "icon $size not registered"
done

# The desktop starts the program from the registered entry.
tv_start_desktop
gio launch "$entry" || tv_fail "gio cannot launch $entry"
# A first start in an empty folder offers the add-files browser.
browser=$(tv_wait_window '^Добавить файл\(ы\)$')
xdotool key --clearmodifiers Escape
tv_retry 10 tv_is_gone "$browser" || tv_fail "Esc did not close the add-files browser"
wid=$(tv_wait_window '^Тонвела для MP3$')
TV_APP_PID=$(xdotool getwindowpid "$wid")
[ "$(readlink "/proc/$TV_APP_PID/exe")" = "$odd/tonvela" ] ||
    tv_fail "started $(readlink "/proc/$TV_APP_PID/exe"), not $odd/tonvela"
tv_screenshot desktop-entry-started
tv_close_window "$wid"
tv_retry 20 bash -c "! kill -0 $TV_APP_PID" || tv_fail "the program did not end"
TV_APP_PID=""
[ -f "$odd/Тонвела для mp3.ini" ] || tv_fail "the program did not run in its own folder"
tv_log "PASS"
