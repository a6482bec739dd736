#!/usr/bin/env bash
# First start in an empty folder: the add-files browser opens. The keyboard
# walks into a folder of MP3 files, one with a Cyrillic ID3v2.4 tag (the
# other kinds of tag: tst_infomp3m), Add all, Esc; File, Save as "Rock"
# writes an album whose titles come from the tags.
source "${TV_E2E_LIB:-$(dirname "$0")/lib.sh}"

tv_start_desktop
tv_library
# No tag, and the extension in capitals: listed, titled by its name.
cp "$TV_TEST_DATA/tone-0.4s.mp3" "$dir/music/03.MP3"
cp "$TV_TEST_DATA/tone-0.4s.mp3" "$dir/music/cover.jpg"
{ tv_id3v2_text TPE1 "Ёлка"; tv_id3v2_text TIT2 "Прованс"; } >"$TV_TMP/v24"
tv_id3v2_mp3 "$dir/music/05.mp3" "$TV_TMP/v24"
printf '%s\n' "$dir/Rock" >"$dir/answers.txt"

tv_run "$dir"
browser=$(tv_wait_window '^Добавить файл\(ы\)$')
tv_screenshot add-files-program-folder
# Rows 1 and 2 are the program folder's folders "Language" and "music".
xdotool key --clearmodifiers Down Down Return
sleep 0.5
tv_screenshot add-files-tagged-folder
# Add all is the next control after the rows.
xdotool key --clearmodifiers Tab space
sleep 0.5
xdotool key --clearmodifiers Escape
tv_retry 10 tv_is_gone "$browser" || tv_fail "Esc did not close the add-files browser"

wid=$(tv_wait_window '^Тонвела для MP3$')
tv_screenshot added-songs
tv_menu_item "$wid" 20 4 # File, Save as
tv_wait_window '^Тонвела для MP3 - Rock\.alb$' >/dev/null
tv_close_window "$wid"
tv_wait_exit 20

tv_write_1251 "$TV_TMP/rock" " 2 " "03${app}music/03.MP3" "Ёлка - Прованс${app}music/05.mp3"
tv_same "$TV_TMP/rock" "$dir/Rock.alb"
[ "$(sed -n '/^\[strDir\]/{n;p}' "$dir/Тонвела для mp3.ini")" = "${app}music/"$'\r' ] ||
    tv_fail "the browser's folder was not kept: $(cat -A "$dir/Тонвела для mp3.ini")"
# The save dialog and nothing else: no question about unsaved changes.
[ "$(cut -d'|' -f1,2 "$dir/dialogs.log")" = "FileDialog|save" ] ||
    tv_fail "unexpected dialogs: $(cat "$dir/dialogs.log")"
