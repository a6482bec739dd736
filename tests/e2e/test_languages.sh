#!/usr/bin/env bash
# The main window in Russian and in English, with two albums and Cyrillic
# titles, photographed for a look; the language chosen survives the run.
source "${TV_E2E_LIB:-$(dirname "$0")/lib.sh}"

: "${TV_TEST_DATA:?TV_TEST_DATA must name the test data folder}"
data=$(tv_lettered "$TV_TEST_DATA")

# A folder with the albums rock.alb (open last time) and jazz.alb.
prepare() {
    local dir=$1 language=$2
    tv_write_1251 "$dir/rock.alb" " 3 " \
        "Кино - Группа кровиZ${data#Z}tone-3s.mp3" \
        "Ария - Штиль (длинное название песни, которое не помещается)Z${data#Z}tone-0.8s.mp3" \
        "DDT - ОсеньZ${data#Z}tone-0.4s.mp3"
    tv_write_1251 "$dir/jazz.alb" " 1 " "Take FiveZ${data#Z}tone-3s.mp3"
    tv_write_1251 "$dir/Тонвела для mp3.ini" "[language]" " $language " "[albom]" " 1 " \
        "jazz.alb" "-1 " "rock.alb" " 0 " "[showform]" "True" "[musicnonstop]" "False" \
        "[nameendalbom]" "rock.alb" "[namepesni]" " 0 " "[strDir]" "$(tv_lettered "$dir")"
}

# The window in Russian, its File menu opened with the mouse on its place in
# the menu bar; then Help, Language..., English: the running window switches
# at once, and the next start is told so.
tv_start_desktop
dir=$(tv_new_folder)
prepare "$dir" 0
tv_run "$dir"
wid=$(tv_wait_window '^Тонвела для MP3 - rock.alb$')
tv_screenshot main-russian
xdotool mousemove --window "$wid" 20 10 click 1
tv_screenshot main-russian-file-menu
xdotool key Escape
# "Справка" is the fourth title of the menu bar.
tv_click_opens "$wid" 205 10 1
xdotool key Down Down Return
tv_wait_window '^Выбор языка$' >/dev/null
tv_screenshot language-dialog
xdotool key Down Return
# (rock.alb may have played to its end by now and another album opened.)
tv_wait_window '^Tonvela for MP3 - ' >/dev/null
tv_screenshot main-switched-to-english
xdotool mousemove --window "$wid" 20 10 click 1
tv_screenshot main-english-file-menu
xdotool key Escape
tv_close_window "$wid"
tv_wait_exit 20
if grep -q '^MsgBox' "$dir/dialogs.log" 2>/dev/null; then
    tv_fail "unexpected message: $(cat "$dir/dialogs.log")"
fi
ini="$dir/Тонвела для mp3.ini"
[ "$(sed -n 1,2p "$ini")" = $'[language]\r\n 1 \r' ] || tv_fail "the switch was not kept: $(cat -A "$ini")"
tv_log "PASS"
