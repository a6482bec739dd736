#!/usr/bin/env bash
# The title editor and the drive-letter window of the running program: a song
# of an album on drive C: is retitled and moved down in the editor, the album
# is moved from C to d, and Ctrl+S saves it: the album file holds exactly the
# expected bytes. Each window is photographed. (Their other ways out and their
# English texts: tst_editwindows, tst_titleeditor, tst_driveletters.)
source "${TV_E2E_LIB:-$(dirname "$0")/lib.sh}"

# The three songs lie on a drive this machine does not have: the start's
# attempt to resume the first one reports it missing, and nothing plays.
songs=("Кино: Группа кровиC:/Music/a.mp3" "АрияC:/Music/b.mp3" "DDTC:/Music/c.mp3")

prepare() {
    local dir=$1
    tv_write_1251 "$dir/rock.alb" " 3 " "${songs[@]}"
    tv_write_1251 "$dir/Тонвела для mp3.ini" "[language]" " 0 " "[albom]" " 0 " \
        "rock.alb" " 0 " "[showform]" "True" "[musicnonstop]" "False" \
        "[nameendalbom]" "rock.alb" "[namepesni]" " 0 " "[strDir]" "$(tv_lettered "$dir")"
    touch -d '2001-01-01' "$dir/rock.alb"
}

# Opens item n (1-based) of the Edit menu, the second title of the menu bar,
# and waits for the window it opens.
open_edit_item() {
    local wid=$1 n=$2 title=$3 x=$4
    xdotool windowactivate --sync "$wid" >/dev/null 2>&1 || true
    tv_click_opens "$wid" "$x" 10 1
    local i
    for ((i = 0; i < n; i++)); do xdotool key Down; done
    xdotool key Return
    tv_wait_window "^$title\$"
}

tv_wait_gone() { tv_retry 10 tv_is_gone "$1" || tv_fail "window $1 is still shown"; }

russian_run() {
    local dir wid win
    dir=$(tv_new_folder)
    prepare "$dir"
    tv_run "$dir"
    wid=$(tv_wait_window '^Тонвела для MP3 - rock\.alb$')

    # Down then Up in the text box: the first song, whether the main list
    # had a selected row or not.
    win=$(open_edit_item "$wid" 4 'Редактировать' 70)
    xdotool key Down Up ctrl+a
    xdotool type --delay 50 'Gruppa krovi: live'
    xdotool key Return
    tv_screenshot title-editor-russian
    # kDOWN moves the retitled song below the second; then OK.
    xdotool key Tab Tab space Tab Tab Return
    tv_wait_gone "$win"

    win=$(open_edit_item "$wid" 6 'Сменить букву диска' 70)
    xdotool key Tab
    xdotool type d
    tv_screenshot drive-letter-russian
    xdotool key Return
    tv_wait_gone "$win"
    tv_retry 10 grep -q 'Количество замен: 3' "$dir/dialogs.log" ||
        tv_fail "no count message: $(cat "$dir/dialogs.log")"

    xdotool windowactivate --sync "$wid" >/dev/null 2>&1 || true
    xdotool key --clearmodifiers ctrl+s
    tv_retry 10 test "$dir/rock.alb" -nt "$dir/Тонвела для mp3.ini" || tv_fail "Ctrl+S did not write rock.alb"
    tv_close_window "$wid"
    tv_wait_exit 20

    printf '%s\r\n' " 3 " "Арияd:/Music/b.mp3" "Gruppa krovi: lived:/Music/a.mp3" \
        "DDTd:/Music/c.mp3" | iconv -f UTF-8 -t CP1251 >"$TV_TMP/rock.expected"
    cmp "$TV_TMP/rock.expected" "$dir/rock.alb" || tv_fail "rock.alb differs: $(od -c "$dir/rock.alb")"
    # The missing first song at the start, the count; no question on closing.
    local messages
    messages=$(grep -c '^MsgBox' "$dir/dialogs.log")
    [ "$messages" -eq 2 ] || tv_fail "unexpected messages: $(cat "$dir/dialogs.log")"
    grep -q '^MsgBox|64|Тонвела для MP3|Количество замен: 3$' "$dir/dialogs.log" ||
        tv_fail "the count message is not an information: $(cat "$dir/dialogs.log")"
}

tv_start_desktop
russian_run
tv_log "PASS"
