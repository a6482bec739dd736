#!/usr/bin/env bash
# The title editor and the drive-letter window of the running program: a song
# of an album on drive C: is retitled and moved down in the editor, the album
# is moved from C to d, and Ctrl+S saves it: the album file holds exactly the
# expected bytes. Each window is photographed. (Their other ways out and their
# English texts: tst_editwindows, tst_titleeditor, tst_driveletters.)
source "${TV_E2E_LIB:-$(dirname "$0")/lib.sh}"

# Opens item n of the Edit menu (the second title of the menu bar) and waits
# for the window it opens.
edit_item() {
    xdotool windowactivate --sync "$wid" >/dev/null 2>&1 || true
    tv_menu_item "$wid" 70 "$1"
    tv_wait_window "^$2\$"
}
wait_gone() { tv_retry 10 tv_is_gone "$1" || tv_fail "window $1 is still shown"; }

tv_start_desktop
tv_library
# The three songs lie on a drive this machine does not have: the start's
# attempt to resume the first one reports it missing, and nothing plays.
tv_write_1251 "$dir/rock.alb" " 3 " "Кино: Группа кровиC:/Music/a.mp3" "АрияC:/Music/b.mp3" \
    "DDTC:/Music/c.mp3"
tv_ini "$dir/Тонвела для mp3.ini" 0 rock.alb "rock.alb 0"
touch -d '2001-01-01' "$dir/rock.alb"
tv_run "$dir"
wid=$(tv_wait_window '^Тонвела для MP3 - rock\.alb$')

# Down then Up in the text box: the first song, whether the main list had a
# selected row or not.
win=$(edit_item 4 'Редактировать')
xdotool key Down Up ctrl+a
xdotool type --delay 50 'Gruppa krovi: live'
xdotool key Return
tv_screenshot title-editor-russian
# kDOWN moves the retitled song below the second; then OK.
xdotool key Tab Tab space Tab Tab Return
wait_gone "$win"

win=$(edit_item 6 'Сменить букву диска')
xdotool key Tab
xdotool type d
tv_screenshot drive-letter-russian
xdotool key Return
wait_gone "$win"
tv_retry 10 grep -q 'Количество замен: 3' "$dir/dialogs.log" ||
    tv_fail "no count message: $(cat "$dir/dialogs.log")"

xdotool windowactivate --sync "$wid" >/dev/null 2>&1 || true
xdotool key --clearmodifiers ctrl+s
tv_retry 10 test "$dir/rock.alb" -nt "$dir/Тонвела для mp3.ini" || tv_fail "Ctrl+S did not write rock.alb"
tv_close_window "$wid"
tv_wait_exit 20

tv_write_1251 "$TV_TMP/rock" " 3 " "Арияd:/Music/b.mp3" "Gruppa krovi: lived:/Music/a.mp3" \
    "DDTd:/Music/c.mp3"
tv_same "$TV_TMP/rock" "$dir/rock.alb"
# The missing first song at the start, the count (an information); no
# question on closing.
[ "$(grep -c '^MsgBox' "$dir/dialogs.log")" -eq 2 ] || tv_fail "unexpected messages: $(cat "$dir/dialogs.log")"
grep -q '^MsgBox|64|Тонвела для MP3|Количество замен: 3$' "$dir/dialogs.log" ||
    tv_fail "the count message is not an information: $(cat "$dir/dialogs.log")"
tv_log "PASS"
