#!/usr/bin/env bash
# The install lays out a menu entry that desktop-file-validate passes and the
# program icon in every size of the theme; registering copies both into the
# user's data folder; the desktop starts the installed program from its entry,
# also from a folder whose name needs quoting on a command line. That first
# start, with no album, offers the add-files browser: the keyboard walks into
# a folder of MP3 files, Add all, Esc; File, Save as "Rock" writes an album
# whose titles come from the tags. Minimising hides the window to the
# notification area; starting the program a second time in the same folder
# brings it back, in the normal state (not through the iconified one), and
# the second copy ends at once. Closed through its window, the program leaves
# the album and the settings file behind, holding exactly this run. --help
# and --version answer without a display; ten copies started at once with a
# file each hand every file to the one that runs.
source "${TV_E2E_LIB:-$(dirname "$0")/lib.sh}"
: "${TV_BUILD:?TV_BUILD must name the build folder}"
register="$(dirname "$TV_E2E_LIB")/../../scripts/register-desktop.sh"

# The program installed in a folder whose name has blanks, $, an apostrophe,
# brackets and Cyrillic (a "%", doubled in Exec as the format asks, is not
# found by GLib's own check): its entry, which hands over the files it is
# given; then its icons, in every size, and both registered.
odd="$TV_TMP/Мой плеер's \$HOME (копия)"
cmake --install "$TV_BUILD" --prefix "$odd" >/dev/null
entry="$odd/share/applications/org.tonvela.Tonvela.desktop"
report=$(desktop-file-validate "$entry" 2>&1) || tv_fail "desktop-file-validate: $report"
[ -z "$report" ] || tv_fail "desktop-file-validate warns: $report"
grep -Fx "TryExec=$odd/tonvela" "$entry" >/dev/null ||
    tv_fail "TryExec does not name $odd/tonvela: $(cat "$entry")"
grep -E '^Exec=.* %F$' "$entry" >/dev/null || tv_fail "Exec takes no files: $(cat "$entry")"

# Help and version are answered on standard output, without a display.
help=$(env -u DISPLAY "$odd/tonvela" --help) || tv_fail "--help failed"
[[ "$help" == "Usage: tonvela "* ]] || tv_fail "--help printed: $help"
[[ "$(env -u DISPLAY "$odd/tonvela" --version)" =~ ^tonvela\ [0-9.]+$ ]] || tv_fail "--version"

export XDG_DATA_HOME="$TV_TMP/data"
bash "$register" "$odd"
bash "$register" "$odd" # again: replaces, does not fail
entry="$XDG_DATA_HOME/applications/org.tonvela.Tonvela.desktop"
cmp "$odd/share/applications/org.tonvela.Tonvela.desktop" "$entry" || tv_fail "registered entry differs"
for size in 16 22 24 32 48 64 128 256; do
    icon="share/icons/hicolor/${size}x${size}/apps/tonvela.png"
    [ "$(identify -format '%wx%h' "$odd/$icon")" = "${size}x${size}" ] || tv_fail "icon $odd/$icon"
    cmp "$odd/$icon" "$XDG_DATA_HOME/${icon#share/}" || tv_fail "icon $size not registered"
done

# A music folder beside the program: no tag and the extension in capitals
# (listed, titled by its name), Cyrillic ID3v2 tags alone as most files carry
# them (v2.3 in UTF-16, v2.4 in UTF-8; the other kinds of tag: tst_infomp3m),
# and a file that is no MP3.
mkdir "$odd/music"
cp "$TV_TEST_DATA/tone-0.4s.mp3" "$odd/music/03.MP3"
cp "$TV_TEST_DATA/tone-0.4s.mp3" "$odd/music/cover.jpg"
tv_id3v2_mp3 "$odd/music/04.mp3" 3 "$TV_TEST_DATA/tone-0.4s.mp3" TPE1=Аквариум TIT2="Рок-н-ролл мёртв"
tv_id3v2_mp3 "$odd/music/05.mp3" 4 "$TV_TEST_DATA/tone-0.4s.mp3" TPE1=Ёлка TIT2=Прованс

# The desktop starts the program from the registered entry; its dialogs are
# answered and logged as tv_run has them.
tv_start_desktop
export TONVELA_DIALOG_ANSWERS="$TV_TMP/answers.txt" TONVELA_DIALOG_LOG="$odd/dialogs.log"
printf '%s\n' "$odd/Rock" >"$TONVELA_DIALOG_ANSWERS"
gio launch "$entry" || tv_fail "gio cannot launch $entry"
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
TV_APP_PID=$(xdotool getwindowpid "$wid")
[ "$(readlink "/proc/$TV_APP_PID/exe")" = "$odd/tonvela" ] ||
    tv_fail "started $(readlink "/proc/$TV_APP_PID/exe"), not $odd/tonvela"
tv_screenshot added-songs
tv_menu_item "$wid" 20 4 # File, Save as
tv_wait_window '^Тонвела для MP3 - Rock\.alb$' >/dev/null

xdotool windowminimize "$wid"
tv_retry 10 tv_is_unmapped "$wid" || tv_fail "the minimised window is still on screen"
# The window manager iconifies it first, then the program withdraws it: only
# from then on is an Iconic state news.
withdrawn() { ! xprop -id "$wid" WM_STATE | grep 'window state' >/dev/null; }
tv_retry 10 withdrawn || tv_fail "the minimised window was not hidden to the tray"
# Its states from here on: it must come back straight to Normal. Mapped
# iconified on the way, a late report of that state would minimise it, and so
# hide it to the tray, again (the close below would then reach nothing).
xprop -spy -id "$wid" WM_STATE >"$TV_TMP/states" 2>&1 &
TV_PIDS+=($!)
tv_retry 10 test -s "$TV_TMP/states" || tv_fail "cannot watch the window's state"
timeout 20 "$odd/tonvela" >"$TV_TMP/second.log" 2>&1 || tv_fail "the second copy did not end at once, or failed"
tv_retry 10 tv_is_mapped "$wid" || tv_fail "the window did not come back"
tv_retry 10 tv_is_managed "$wid" || tv_fail "the window is not in the normal state"
! grep -q Iconic "$TV_TMP/states" ||
    tv_fail "the window came back through the iconified state: $(tr '\n\t' '  ' <"$TV_TMP/states")"
tv_screenshot minimise-brought-back
tv_wm_close "$wid"
tv_retry 20 tv_ended || tv_fail "the program did not end"
TV_APP_PID=""

# Rock.alb holds the songs added, titled by their tags or names; the settings
# file names it and the folder browsed, and remembers the window as shown,
# both in the program's own folder. The save dialog was the one dialog: no
# question about unsaved changes.
app=$(tv_lettered "$odd")
tv_write_1251 "$TV_TMP/rock" " 3 " "03${app}music/03.MP3" \
    "Аквариум - Рок-н-ролл мёртв${app}music/04.mp3" "Ёлка - Прованс${app}music/05.mp3"
tv_same "$TV_TMP/rock" "$odd/Rock.alb"
tv_browsed=${app}music/ tv_ini "$TV_TMP/ini" 0 Rock.alb "Rock.alb 0"
tv_same "$TV_TMP/ini" "$odd/Тонвела для mp3.ini"
[ "$(find "$odd" -name '*.alb')" = "$odd/Rock.alb" ] || tv_fail "other albums were written"
[ "$(cut -d'|' -f1,2 "$odd/dialogs.log")" = "FileDialog|save" ] ||
    tv_fail "unexpected dialogs: $(cat "$odd/dialogs.log")"

# Ten copies started at the same moment in one folder, each with a file of
# its own: one window, and every file joins its album exactly once, however
# the starts interleave (five rounds). The album is saved at the close; the
# lock and the socket leave the runtime folder with the program.
copies_left() {
    local n=0 p
    for p in "${pids[@]}"; do kill -0 "$p" 2>/dev/null && n=$((n + 1)); done
    [ "$n" -le "$1" ]
}
together() {
    local round=$1 pids=() i
    tv_library
    for i in $(seq 10); do cp "$TV_TEST_DATA/tone-0.4s.mp3" "$dir/music/$i.mp3"; done
    tv_write_1251 "$dir/rock.alb" " 0 "
    tv_ini "$dir/Тонвела для mp3.ini" 1 rock.alb "rock.alb -1"
    echo Yes >"$dir/answers.txt"
    for i in $(seq 10); do
        TONVELA_DIALOG_ANSWERS="$dir/answers.txt" TONVELA_DIALOG_LOG="$dir/dialogs.log" \
            "$dir/tonvela" "$dir/music/$i.mp3" >"$dir/stdout.$i.log" 2>"$dir/stderr.$i.log" &
        pids+=($!)
    done
    # The copies that hand over end (their windows come and go: only then
    # is the window looked for); the first stays.
    tv_retry 30 copies_left 1 || tv_fail "round $round: the later copies did not end"
    for i in "${pids[@]}"; do kill -0 "$i" 2>/dev/null && TV_APP_PID=$i; done
    TV_APP_DIR=$dir
    wid=$(tv_wait_window "^Tonvela for MP3 - rock\\.alb$")
    sleep 1
    tv_wm_close "$wid"
    tv_wait_exit 20
    [ -z "$(ls "$XDG_RUNTIME_DIR" | grep '^tonvela-')" ] ||
        tv_fail "round $round: left in the runtime folder: $(ls "$XDG_RUNTIME_DIR")"
    arrived=$(iconv -f CP1251 -t UTF-8 "$dir/rock.alb" | grep -c 'music/[0-9]*\.mp3' || true)
    tv_log "round $round: $arrived of 10 files arrived"
    for i in $(seq 10); do
        [ "$(grep -ac "music/$i\.mp3" "$dir/rock.alb")" = 1 ] ||
            lost+="round $round: $i.mp3 did not arrive exactly once. "
    done
}
lost=""
export XDG_RUNTIME_DIR=$TV_TMP/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
for round in 1 2 3 4 5; do together $round; done
[ -z "$lost" ] || tv_fail "$lost"
