#!/usr/bin/env bash
# A folder with two albums and settings that name one of them: that album is
# reopened; Ctrl+S writes it back and closing the window leaves both files
# with exactly the expected bytes.
source "${TV_E2E_LIB:-$(dirname "$0")/lib.sh}"

tv_start_desktop
dir=$(tv_new_folder)
app=$(tv_lettered "$dir")
mkdir -p "$dir/music"
cp "$TV_TEST_DATA/tone-3s.mp3" "$dir/music/a.mp3"
cp "$TV_TEST_DATA/tone-3s.mp3" "$dir/music/b.mp3"

tv_write_1251 "$dir/jazz.alb" "1" "Джаз, вечер${app}music/b.mp3"
# The count line without its blanks: the program writes it back as " 2 ".
tv_write_1251 "$dir/rock.alb" "2" "Кино: Группа крови${app}music/a.mp3" " Ария${app}music/b.mp3"
tv_write_1251 "$dir/Тонвела для mp3.ini" "[language]" " 0 " "[albom]" " 1 " \
    "jazz.alb" " 0 " "rock.alb" " 0 " "[showform]" "True" "[musicnonstop]" "False" \
    "[nameendalbom]" "rock.alb" "[namepesni]" " 0 " "[strDir]" "$app"
touch -d '2001-01-01' "$dir/rock.alb" "$dir/jazz.alb"

tv_run "$dir"
wid=$(tv_wait_window '^Тонвела для MP3 - rock\.alb$')
tv_screenshot reopened-album
xdotool windowactivate --sync "$wid" >/dev/null 2>&1 || true
xdotool key --clearmodifiers ctrl+s
tv_retry 10 test "$dir/rock.alb" -nt "$dir/jazz.alb" || tv_fail "Ctrl+S did not write rock.alb"
tv_close_window "$wid"
tv_wait_exit 20

# Song lines come back exactly as they were read (Windows-1251, CR LF).
printf ' 2 \r\n' >"$TV_TMP/rock.expected"
printf '%s\r\n' "Кино: Группа крови${app}music/a.mp3" " Ария${app}music/b.mp3" |
    iconv -f UTF-8 -t CP1251 >>"$TV_TMP/rock.expected"
cmp "$TV_TMP/rock.expected" "$dir/rock.alb" || tv_fail "rock.alb differs: $(od -c "$dir/rock.alb")"
tv_expect_bytes "$dir/jazz.alb" "$(printf '%s' "1\r\nДжаз, вечер${app}music/b.mp3\r\n" | iconv -f UTF-8 -t CP1251)"

tv_expect_bytes "$dir/Тонвела для mp3.ini" \
    "[language]\r\n 0 \r\n[albom]\r\n 1 \r\njazz.alb\r\n 0 \r\nrock.alb\r\n 0 \r\n[showform]\r\nTrue\r\n[musicnonstop]\r\nFalse\r\n[nameendalbom]\r\nrock.alb\r\n[namepesni]\r\n 0 \r\n[strDir]\r\n${app}\r\n"
[ ! -s "$dir/dialogs.log" ] || tv_fail "unexpected dialogs: $(cat "$dir/dialogs.log")"
tv_log "PASS"
