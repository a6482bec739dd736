#!/usr/bin/env bash
# The settings remember song 2 of the album: the next start plays song 2 and
# shows its title; a song that has ended is followed by the next one.
source "${TV_E2E_LIB:-$(dirname "$0")/lib.sh}"

tv_start_desktop
dir=$(tv_new_folder)
app=$(tv_lettered "$dir")
mkdir -p "$dir/music"
for n in 1 2; do cp "$TV_TEST_DATA/tone-3s.mp3" "$dir/music/$n.mp3"; done
# Song 3 lasts 10 s, so that it still plays when the window is closed.
cp "$TV_TEST_DATA/tone-10s.mp3" "$dir/music/3.mp3"

tv_write_1251 "$dir/rock.alb" " 3 " "Первая${app}music/1.mp3" "Вторая${app}music/2.mp3" \
    "Третья${app}music/3.mp3"
tv_write_1251 "$dir/Тонвела для mp3.ini" "[language]" " 1 " "[albom]" " 0 " "rock.alb" " 1 " \
    "[showform]" "True" "[musicnonstop]" "False" "[nameendalbom]" "rock.alb" \
    "[namepesni]" " 0 " "[strDir]" "$app"

tv_run "$dir"
wid=$(tv_wait_window '^Tonvela for MP3 - rock\.alb$')
tv_screenshot resumed-song-2
# Song 2 lasts 3 s; a second after its end song 3 starts and is remembered.
sleep 4
tv_screenshot moved-on-to-song-3
tv_close_window "$wid"
tv_wait_exit 20

tv_expect_bytes "$dir/Тонвела для mp3.ini" \
    "[language]\r\n 1 \r\n[albom]\r\n 0 \r\nrock.alb\r\n 2 \r\n[showform]\r\nTrue\r\n[musicnonstop]\r\nFalse\r\n[nameendalbom]\r\nrock.alb\r\n[namepesni]\r\n 0 \r\n[strDir]\r\n${app}\r\n"
[ ! -s "$dir/dialogs.log" ] || tv_fail "unexpected dialogs: $(cat "$dir/dialogs.log")"
tv_log "PASS"
