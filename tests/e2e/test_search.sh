#!/usr/bin/env bash
# Three albums; F3 opens the search, a text in capitals and Enter find the
# songs in every album, Add all adds none the open album holds (letter case
# ignored) and takes names differing in case only as the other files they
# are, Esc closes the window and Ctrl+S stores the open album.
source "${TV_E2E_LIB:-$(dirname "$0")/lib.sh}"

tv_start_desktop
dir=$(tv_new_folder)
app=$(tv_lettered "$dir")
mkdir -p "$dir/music/beatles" "$dir/music/BEATLES"
# The open album's first song lasts 10 s: it still plays when the album is saved.
cp "$TV_TEST_DATA/tone-10s.mp3" "$dir/music/a.mp3"
for f in beatles/01.mp3 beatles/02.mp3 beatles/hey.mp3 BEATLES/02.mp3; do
    cp "$TV_TEST_DATA/tone-3s.mp3" "$dir/music/$f"
done

tv_write_1251 "$dir/rock.alb" " 2 " "Кино: Группа крови${app}music/a.mp3" "01${app}music/beatles/01.mp3"
tv_write_1251 "$dir/jazz.alb" " 2 " "Let it be${app}music/BEATLES/02.mp3" \
    "01 again${app}music/Beatles/01.mp3"
tv_write_1251 "$dir/pop.alb" " 2 " "Hey${app}music/beatles/hey.mp3" \
    "Let it be (pop)${app}music/beatles/02.mp3"
tv_write_1251 "$dir/Тонвела для mp3.ini" "[language]" " 0 " "[albom]" " 2 " \
    "jazz.alb" " 0 " "pop.alb" " 0 " "rock.alb" " 0 " "[showform]" "True" \
    "[musicnonstop]" "False" "[nameendalbom]" "rock.alb" "[namepesni]" " 0 " "[strDir]" "$app"

tv_run "$dir"
wid=$(tv_wait_window '^Тонвела для MP3 - rock\.alb$')
xdotool key --clearmodifiers F3
fid=$(tv_wait_window '^Поиск$' 10)
xdotool type --delay 50 BEATLES
xdotool key --clearmodifiers Return
tv_screenshot search-results
# "Добавить всё": its place in the window, at 96 dots per inch.
xdotool mousemove --window "$fid" 120 384 click 1
sleep 0.5
xdotool key --clearmodifiers Escape
search_closed() { ! tv_is_mapped "$fid"; }
tv_retry 10 search_closed || tv_fail "Esc did not close the search window"
xdotool windowactivate --sync "$wid" >/dev/null 2>&1 || true
touch -d '2001-01-01' "$dir/rock.alb"
xdotool key --clearmodifiers ctrl+s
tv_retry 10 test "$dir/rock.alb" -nt "$dir/jazz.alb" || tv_fail "Ctrl+S did not write rock.alb"
tv_screenshot search-added
tv_close_window "$wid"
tv_wait_exit 20

printf ' 5 \r\n' >"$TV_TMP/rock.expected"
printf '%s\r\n' "Кино: Группа крови${app}music/a.mp3" "01${app}music/beatles/01.mp3" \
    "Let it be${app}music/BEATLES/02.mp3" "Hey${app}music/beatles/hey.mp3" \
    "Let it be (pop)${app}music/beatles/02.mp3" |
    iconv -f UTF-8 -t CP1251 >>"$TV_TMP/rock.expected"
cmp "$TV_TMP/rock.expected" "$dir/rock.alb" || tv_fail "rock.alb differs: $(od -c "$dir/rock.alb")"
[ ! -s "$dir/dialogs.log" ] || tv_fail "unexpected dialogs: $(cat "$dir/dialogs.log")"
tv_log "PASS"
