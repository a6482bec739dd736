#!/usr/bin/env bash
# First start in an empty folder: the add-files browser opens. The keyboard
# walks into a folder of MP3 files with Cyrillic tags (ID3v1 at the end, or
# only ID3v2 at the start: v2.3 in UTF-16, v2.4 in UTF-8), Add all, Esc; File,
# Save as "Rock" writes an album whose titles come from the tags.
source "${TV_E2E_LIB:-$(dirname "$0")/lib.sh}"

# One 30-byte tag field: the text in Windows-1251, zero bytes after it.
tag_field() {
    local bytes
    bytes=$(printf '%s' "$1" | iconv -f UTF-8 -t CP1251 | wc -c)
    printf '%s' "$1" | iconv -f UTF-8 -t CP1251
    head -c $((30 - bytes)) /dev/zero
}

# A short MP3 file ending in an ID3v1 tag: file, title, artist.
tagged_mp3() {
    cp "$TV_TEST_DATA/tone-0.4s.mp3" "$1"
    { printf 'TAG'; tag_field "$2"; tag_field "$3"; head -c 65 /dev/zero; } >>"$1"
}

tv_start_desktop
tv_library
tagged_mp3 "$dir/music/01.mp3" "Группа крови" "Кино"
tagged_mp3 "$dir/music/02.mp3" "Штиль" "Ария"
# No tag, and the extension in capitals: listed, titled by its name.
cp "$TV_TEST_DATA/tone-0.4s.mp3" "$dir/music/03.MP3"
cp "$TV_TEST_DATA/tone-0.4s.mp3" "$dir/music/cover.jpg"
{ tv_id3v2_text 3 TPE1 1 "Аквариум"; tv_id3v2_text 3 TIT2 1 "Рок-н-ролл мёртв"; } >"$TV_TMP/v23"
tv_id3v2_mp3 "$dir/music/04.mp3" 3 "$TV_TMP/v23"
{ tv_id3v2_text 4 TPE1 3 "Ёлка"; tv_id3v2_text 4 TIT2 3 "Прованс"; } >"$TV_TMP/v24"
tv_id3v2_mp3 "$dir/music/05.mp3" 4 "$TV_TMP/v24"
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

tv_write_1251 "$TV_TMP/rock" " 5 " "Кино - Группа крови${app}music/01.mp3" \
    "Ария - Штиль${app}music/02.mp3" "03${app}music/03.MP3" \
    "Аквариум - Рок-н-ролл мёртв${app}music/04.mp3" "Ёлка - Прованс${app}music/05.mp3"
tv_same "$TV_TMP/rock" "$dir/Rock.alb"
[ "$(sed -n '/^\[strDir\]/{n;p}' "$dir/Тонвела для mp3.ini")" = "${app}music/"$'\r' ] ||
    tv_fail "the browser's folder was not kept: $(cat -A "$dir/Тонвела для mp3.ini")"
# The save dialog and nothing else: no question about unsaved changes.
[ "$(cut -d'|' -f1,2 "$dir/dialogs.log")" = "FileDialog|save" ] ||
    tv_fail "unexpected dialogs: $(cat "$dir/dialogs.log")"
tv_log "PASS"
