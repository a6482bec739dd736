#!/usr/bin/env bash
# The Help menu of the installed program: the about box and its link, the help
# page (F1), and the banner that shows its title page while the maker's site
# cannot be reached. The desktop's opener (xdg-open) is a script that notes
# what it was asked to open.
source "${TV_E2E_LIB:-$(dirname "$0")/lib.sh}"

opener_log="$TV_TMP/opened.log"
mkdir -p "$TV_TMP/bin"
cat >"$TV_TMP/bin/xdg-open" <<SCRIPT
#!/bin/sh
echo "\$*" >>"$opener_log"
SCRIPT
chmod +x "$TV_TMP/bin/xdg-open"
export PATH="$TV_TMP/bin:$PATH"

opened() { grep -F -- "$1" "$opener_log" >/dev/null 2>&1; }
gone() { ! tv_is_mapped "$1"; }

tv_start_desktop
dir=$(tv_new_folder)
[ -d "$dir/Language" ] || tv_fail "the installation has no Language folder"
for page in Help_ru.htm Help_en.htm; do
    [ -s "$dir/$page" ] || tv_fail "the installation has no $page"
done

# One album, so that the start opens it instead of a new one.
: "${TV_TEST_DATA:?TV_TEST_DATA must name the test data folder}"
data=$(tv_lettered "$TV_TEST_DATA")
tv_write_1251 "$dir/rock.alb" " 1 " "ToneZ${data#Z}tone-0.4s.mp3"

tv_run "$dir"
wid=$(tv_wait_window '^Тонвела для MP3 - rock.alb$')
tv_screenshot main-with-banner

# Help > About ("Справка" is the fourth title of the menu bar).
tv_click_opens "$wid" 205 10 1
xdotool key Down Down Down Return
about=$(tv_wait_window '^О программе$')
tv_screenshot about-box-on-desktop
# The link to the site, on the line "Сайт:".
xdotool mousemove --window "$about" 175 66 click 1
tv_retry 10 opened "Language/0.html" || tv_fail "the site link opened nothing: $(cat "$opener_log" 2>&1)"
grep -F "url=http://" "$dir/Language/0.html" >/dev/null || tv_fail "no redirect page: $(ls "$dir/Language")"
xdotool key Return
tv_retry 10 gone "$about" || tv_fail "Enter did not close the about box"

# F1: the page of the current language, from the program's folder.
xdotool windowactivate --sync "$wid"
xdotool key F1
tv_retry 10 opened "$dir/Help_ru.htm" || tv_fail "F1 opened no help page: $(cat "$opener_log" 2>&1)"

tv_close_window "$wid"
tv_wait_exit 20
if grep -q '^MsgBox' "$dir/dialogs.log" 2>/dev/null; then
    tv_fail "unexpected message: $(cat "$dir/dialogs.log")"
fi
tv_log "PASS"
