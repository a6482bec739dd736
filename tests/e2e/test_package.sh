#!/usr/bin/env bash
# The Debian package of `make deb`: its layout and metadata, then the program
# unpacked into a scratch root and started there with a fresh home and a file
# to open. Its album and settings land in the user's data folder, the first
# folder it would browse is the music folder, and nothing is written beside
# the executable. A data folder that cannot be made is said, in both
# languages, and the program ends. Skipped when no package was made.
source "${TV_E2E_LIB:-$(dirname "$0")/lib.sh}"
: "${TV_BUILD:?TV_BUILD must name the build folder}"

deb=$(ls -t "$TV_BUILD"/tonvela_*.deb 2>/dev/null | head -n 1 || true)
if [ -z "$deb" ]; then
    tv_log "SKIP: no package in $TV_BUILD (make deb makes it)"
    exit 77
fi
root="$TV_TMP/root"
dpkg-deb -x "$deb" "$root"

multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
for file in usr/bin/tonvela "usr/lib/$multiarch/tonvela/libtonvela_media.so" \
    "usr/lib/$multiarch/tonvela/libtonvela_web.so" usr/share/tonvela/Help_ru.htm \
    usr/share/tonvela/Help_en.htm usr/share/applications/org.tonvela.Tonvela.desktop \
    usr/share/metainfo/org.tonvela.Tonvela.metainfo.xml usr/share/man/man1/tonvela.1.gz \
    usr/share/icons/hicolor/256x256/apps/tonvela.png usr/share/doc/tonvela/copyright; do
    [ -f "$root/$file" ] || tv_fail "the package lacks /$file: $(dpkg-deb -c "$deb")"
done
entry="$root/usr/share/applications/org.tonvela.Tonvela.desktop"
report=$(desktop-file-validate "$entry" 2>&1) || tv_fail "desktop-file-validate: $report"
for line in 'Exec=tonvela %F' 'MimeType=audio/mpeg;audio/x-mpegurl;audio/mpegurl;'; do
    grep -Fx "$line" "$entry" >/dev/null || tv_fail "the entry lacks $line: $(cat "$entry")"
done
report=$(appstreamcli validate --no-net "$root/usr/share/metainfo/org.tonvela.Tonvela.metainfo.xml" 2>&1) ||
    tv_fail "appstreamcli: $report"
# The dependencies were found in the libraries the program and its modules link.
depends=$(dpkg-deb -f "$deb" Depends)
for library in 'libqt6(core|gui|widgets)6' 'libgstreamer1\.0-0'; do
    grep -E "$library" <<<"$depends" >/dev/null || tv_fail "no $library in Depends: $depends"
done

# A fresh user whose music folder has a name of its own.
export HOME="$TV_TMP/home" XDG_CONFIG_HOME="$TV_TMP/home/.config"
export XDG_DATA_HOME="$HOME/.local/share" XDG_CACHE_HOME="$HOME/.cache"
music="$HOME/Музыка"
mkdir -p "$music" "$XDG_CONFIG_HOME"
echo 'XDG_MUSIC_DIR="$HOME/Музыка"' >"$XDG_CONFIG_HOME/user-dirs.dirs"
cp "$TV_TEST_DATA/tone-3s.mp3" "$music/a.mp3"
data="$XDG_DATA_HOME/tonvela"
find "$root" -printf '%p %s %T@\n' | sort >"$TV_TMP/root.before"

# The unpacked program runs with its dialogs answered from $TV_TMP/answers.txt.
export TV_RUN_EXE=$root/usr/bin/tonvela

tv_start_desktop
tv_run "$TV_TMP" "$music/a.mp3"
wid=$(tv_wait_window '^Тонвела для MP3$')
tv_screenshot package-started
# Closing saves the new album (Yes) under a name the save dialog is given.
printf 'Yes\n/elsewhere/mine.alb\n' >"$TV_TMP/answers.txt"
tv_wm_close "$wid"
tv_wait_exit 20
[ -f "$data/mine.alb" ] || tv_fail "no album in $data: $(ls -la "$data"; cat "$TV_TMP/dialogs.log")"
iconv -f CP1251 -t UTF-8 "$data/mine.alb" | grep -F "$(tv_lettered "$music")a.mp3" >/dev/null ||
    tv_fail "the given file is not in the album: $(cat "$data/mine.alb")"
ini="$data/Тонвела для mp3.ini"
[ -d "$data/Language" ] || tv_fail "no Language folder in $data"
[ "$(sed -n '/^\[strDir\]/{n;p}' "$ini" | iconv -f CP1251 -t UTF-8)" = "$(tv_lettered "$music")"$'\r' ] ||
    tv_fail "the first browser would not open in the music folder: $(cat -A "$ini")"
! grep -F 'tonvela:' "$TV_TMP/stderr.log" || tv_fail "the program's parts were not found"
find "$root" -printf '%p %s %T@\n' | sort >"$TV_TMP/root.after"
diff "$TV_TMP/root.before" "$TV_TMP/root.after" || tv_fail "something was written beside the program"

# The data folder cannot be made: a file stands where its parent should be.
rm -rf "$XDG_DATA_HOME" && : >"$XDG_DATA_HOME" && : >"$TV_TMP/dialogs.log"
tv_run "$TV_TMP"
tv_retry 20 tv_ended || tv_fail "the program did not end"
! wait "$TV_APP_PID" || tv_fail "the program ended as if all was well"
TV_APP_PID=""
for words in 'Не удаётся создать папку' 'Cannot create or write the folder' "$data"; do
    grep -F "$words" "$TV_TMP/dialogs.log" >/dev/null || tv_fail "not said: $words: $(cat "$TV_TMP/dialogs.log")"
done
