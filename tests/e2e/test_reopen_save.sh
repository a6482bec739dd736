#!/usr/bin/env bash
# Three albums and settings that name rock.alb: it is reopened. F3 opens the
# search, a text in capitals and Enter find the songs in every album, Add all
# adds none the open album holds (letter case ignored) and takes names
# differing in case only as the other files they are, Esc closes the window
# and Ctrl+S stores the open album: its songs exactly as they were read
# (Windows-1251, CR LF), then the ones added. Closing leaves the other albums
# and the settings with exactly the expected bytes.
source "${TV_E2E_LIB:-$(dirname "$0")/lib.sh}"

tv_start_desktop
tv_library
mkdir -p "$dir/music/beatles" "$dir/music/BEATLES"
# The open album's first song lasts 10 s: it still plays when the album is saved.
cp "$TV_TEST_DATA/tone-10s.mp3" "$dir/music/a.mp3"
for f in beatles/01.mp3 beatles/02.mp3 beatles/hey.mp3 BEATLES/02.mp3; do
    cp "$TV_TEST_DATA/tone-3s.mp3" "$dir/music/$f"
done
rock=("Кино: Группа крови${app}music/a.mp3" " 01${app}music/beatles/01.mp3")
jazz=("Let it be${app}music/BEATLES/02.mp3" "01 again${app}music/Beatles/01.mp3")
pop=("Hey${app}music/beatles/hey.mp3" "Let it be (pop)${app}music/beatles/02.mp3")
# Count lines without their blanks: the program writes one back as " 5 ".
tv_write_1251 "$dir/rock.alb" "2" "${rock[@]}"
tv_write_1251 "$dir/jazz.alb" "2" "${jazz[@]}"
tv_write_1251 "$dir/pop.alb" " 2 " "${pop[@]}"
tv_ini "$dir/Тонвела для mp3.ini" 0 rock.alb "jazz.alb 0" "pop.alb 0" "rock.alb 0"
cp "$dir/Тонвела для mp3.ini" "$TV_TMP/ini"
cp "$dir/jazz.alb" "$TV_TMP/jazz"
touch -d '2001-01-01' "$dir/rock.alb" "$dir/jazz.alb"

tv_run "$dir"
wid=$(tv_wait_window '^Тонвела для MP3 - rock\.alb$')
tv_screenshot reopened-album
xdotool key --clearmodifiers F3
fid=$(tv_wait_window '^Поиск$' 10)
xdotool type --delay 50 BEATLES
xdotool key --clearmodifiers Return
tv_screenshot search-results
# "Добавить всё": its place in the window, at 96 dots per inch.
xdotool mousemove --window "$fid" 120 384 click 1
sleep 0.5
xdotool key --clearmodifiers Escape
tv_retry 10 tv_is_gone "$fid" || tv_fail "Esc did not close the search window"
xdotool windowactivate --sync "$wid" >/dev/null 2>&1 || true
xdotool key --clearmodifiers ctrl+s
tv_retry 10 test "$dir/rock.alb" -nt "$dir/jazz.alb" || tv_fail "Ctrl+S did not write rock.alb"
tv_screenshot search-added
tv_close_window "$wid"
tv_wait_exit 20

tv_write_1251 "$TV_TMP/rock" " 5 " "${rock[@]}" "${jazz[0]}" "${pop[@]}"
tv_same "$TV_TMP/rock" "$dir/rock.alb"
tv_same "$TV_TMP/jazz" "$dir/jazz.alb"
tv_same "$TV_TMP/ini" "$dir/Тонвела для mp3.ini"
tv_no_dialogs
