#!/usr/bin/env bash
# Two albums and settings that name rock.alb: it is reopened. F3 opens the
# search, a text typed and Enter find the song of the other album, Add all
# adds it, Esc closes the window and Ctrl+S stores the open album while its
# song plays: its song exactly as it was read (Windows-1251, CR LF), then the
# one added. Closing leaves the other album and the settings with exactly the
# expected bytes. (What a search finds and what Add all takes: tst_foundwindow;
# how album files are read and written: tst_albumfile.)
source "${TV_E2E_LIB:-$(dirname "$0")/lib.sh}"

tv_start_desktop
tv_library
# The open album's song lasts 10 s: it still plays when the album is saved.
cp "$TV_TEST_DATA/tone-10s.mp3" "$dir/music/a.mp3"
mkdir "$dir/music/beatles"
cp "$TV_TEST_DATA/tone-3s.mp3" "$dir/music/beatles/b.mp3"
rock="Кино: Группа крови${app}music/a.mp3"
jazz="Let it be${app}music/beatles/b.mp3"
tv_write_1251 "$dir/rock.alb" " 1 " "$rock"
tv_write_1251 "$dir/jazz.alb" " 1 " "$jazz"
tv_ini "$dir/Тонвела для mp3.ini" 0 rock.alb "jazz.alb 0" "rock.alb 0"
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

tv_write_1251 "$TV_TMP/rock" " 2 " "$rock" "$jazz"
tv_same "$TV_TMP/rock" "$dir/rock.alb"
tv_same "$TV_TMP/jazz" "$dir/jazz.alb"
tv_same "$TV_TMP/ini" "$dir/Тонвела для mp3.ini"
tv_no_dialogs
