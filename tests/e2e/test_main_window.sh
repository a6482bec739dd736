#!/usr/bin/env bash
# The main window in Russian, reopening the album of the last run among two,
# with Cyrillic titles: its fixed frame, the File menu, Help's about box and
# its link, the help page (F1) and the banner's title page while the maker's
# site cannot be reached. The title editor and the drive-letter window open
# from the Edit menu over it and are left. (Their keys, clicks and rules:
# tst_editwindows, tst_titleeditor, tst_driveletters.) F3 opens the search: a
# text typed and Enter find the song of the other album, Add all (at its
# place) adds it, Esc closes the window and Ctrl+S stores the album. (What a
# search finds and what Add all takes: tst_foundwindow; the album format:
# tst_albumcommands.) Then Help, Language..., English switches the running window
# at once. Closing the window while that dialog is open again ends the
# program at once and leaves both albums and the settings with exactly the
# expected bytes. Each look is photographed.
# The desktop's opener (xdg-open) is a script that notes what it was asked to
# open.
source "${TV_E2E_LIB:-$(dirname "$0")/lib.sh}"

mkdir -p "$TV_TMP/bin"
printf '#!/bin/sh\necho "$*" >>"%s"\n' "$TV_TMP/opened.log" >"$TV_TMP/bin/xdg-open"
chmod +x "$TV_TMP/bin/xdg-open"
export PATH="$TV_TMP/bin:$PATH"
opened() { grep -F -- "$1" "$TV_TMP/opened.log" >/dev/null 2>&1; }
# Opens item n of the Edit menu (the second title of the menu bar) and waits
# for the window it opens.
edit_item() {
    tv_menu_item "$wid" 70 "$1"
    tv_wait_window "^$2\$"
}
wait_gone() { tv_retry 10 tv_is_gone "$1" || tv_fail "window $1 is still shown"; }

tv_start_desktop
tv_library
[ -s "$dir/Help_ru.htm" ] && [ -s "$dir/Help_en.htm" ] || tv_fail "the installation lacks a help page"
# The songs lie on a drive this machine does not have: the start's attempt
# to resume the first one reports it missing, and nothing plays.
rock=("Кино: Группа кровиC:/Music/a.mp3"
    "Ария - Штиль (длинное название песни, которое не помещается)C:/Music/b.mp3" "DDTC:/Music/c.mp3")
jazz="Take FiveC:/Jazz/d.mp3"
tv_write_1251 "$dir/rock.alb" " 3 " "${rock[@]}"
tv_write_1251 "$TV_TMP/jazz" " 1 " "$jazz"
cp "$TV_TMP/jazz" "$dir/jazz.alb"
tv_ini "$dir/Тонвела для mp3.ini" 0 rock.alb "jazz.alb 0" "rock.alb 0"
tv_run "$dir"
wid=$(tv_wait_window '^Тонвела для MP3 - rock\.alb$')
tv_screenshot main-russian

# The window manager is told a fixed size, and no resizing or maximising.
sizes=$(xprop -id "$wid" WM_NORMAL_HINTS | sed -n 's/.*m[ai][nx]imum size: //p' | uniq -c)
[[ "$sizes" =~ ^\ *2\ [0-9]+\ by\ [0-9]+$ ]] || tv_fail "the size is not fixed: $sizes"
# _MOTIF_WM_HINTS: flags, functions, decorations. Functions: resize 0x2,
# minimise 0x8, maximise 0x10; decorations: resize handles 0x4, minimise
# 0x20, maximise 0x40.
read -r _ functions decorations _ < <(xprop -id "$wid" _MOTIF_WM_HINTS | tr -d ',' |
    awk -F' = ' '{print $2}')
(( (functions & 0x12) == 0 && (functions & 0x8) && (decorations & 0x44) == 0 && (decorations & 0x20) )) ||
    tv_fail "the Motif hints offer resizing or maximising, or no minimising: $functions $decorations"
actions=$(xprop -id "$wid" _NET_WM_ALLOWED_ACTIONS)
[[ "$actions" == *_NET_WM_ACTION_MINIMIZE* && ! "$actions" =~ _NET_WM_ACTION_(MAXIMIZE|RESIZE) ]] ||
    tv_fail "the window manager offers resizing or maximising, or no minimising: $actions"

# The File menu, opened with the mouse on its place in the menu bar.
xdotool mousemove --window "$wid" 20 10 click 1
tv_screenshot main-russian-file-menu
xdotool key Escape

# Help ("Справка", the fourth title of the menu bar), About.
tv_menu_item "$wid" 205 3
about=$(tv_wait_window '^О программе$')
tv_screenshot about-box-on-desktop
# The link to the site, on the line "Сайт:".
xdotool mousemove --window "$about" 175 66 click 1
tv_retry 10 opened "Language/0.html" || tv_fail "the site link opened nothing: $(cat "$TV_TMP/opened.log" 2>&1)"
xdotool key Return
tv_retry 10 tv_is_gone "$about" || tv_fail "Enter did not close the about box"

# F1: the page of the current language, from the program's folder.
xdotool windowactivate --sync "$wid"
xdotool key F1
tv_retry 10 opened "$dir/Help_ru.htm" || tv_fail "F1 opened no help page: $(cat "$TV_TMP/opened.log" 2>&1)"

# The editor takes the keys: Esc leaves it; the drive-letter window is left
# through its close box.
win=$(edit_item 4 'Редактировать')
tv_screenshot title-editor-russian
xdotool key Escape
wait_gone "$win"
win=$(edit_item 6 'Сменить букву диска')
tv_screenshot drive-letter-russian
tv_wm_close "$win"
wait_gone "$win"

xdotool windowactivate --sync "$wid"
xdotool key --clearmodifiers F3
win=$(tv_wait_window '^Поиск$' 10)
xdotool type --delay 50 JAZZ
xdotool key --clearmodifiers Return
tv_screenshot search-results
# "Добавить всё": its place in the window, at 96 dots per inch.
xdotool mousemove --window "$win" 120 384 click 1
xdotool key --clearmodifiers Escape
wait_gone "$win"
xdotool windowactivate --sync "$wid"
xdotool key --clearmodifiers ctrl+s
tv_retry 10 grep -F "$jazz" "$dir/rock.alb" || tv_fail "Ctrl+S did not write rock.alb"
tv_screenshot search-added

tv_menu_item "$wid" 205 2 # Help, Language...
tv_wait_window '^Выбор языка$' >/dev/null
tv_screenshot language-dialog
xdotool key Down Return
tv_wait_window '^Tonvela for MP3 - rock\.alb$' >/dev/null
tv_screenshot main-switched-to-english
xdotool mousemove --window "$wid" 20 10 click 1
tv_screenshot main-english-file-menu
xdotool key Escape
tv_menu_item "$wid" 145 2 # Help, Language...
tv_wait_window '^Select of language$' >/dev/null
tv_wm_close "$wid"
tv_wait_exit 3
# The missing first song at the start; no question on closing.
[ "$(grep -c '^MsgBox' "$dir/dialogs.log")" -eq 1 ] || tv_fail "unexpected messages: $(cat "$dir/dialogs.log")"
tv_write_1251 "$TV_TMP/rock" " 4 " "${rock[@]}" "$jazz"
tv_same "$TV_TMP/rock" "$dir/rock.alb"
tv_same "$TV_TMP/jazz" "$dir/jazz.alb"
tv_ini "$TV_TMP/ini" 1 rock.alb "jazz.alb 0" "rock.alb 0"
tv_same "$TV_TMP/ini" "$dir/Тонвела для mp3.ini"
