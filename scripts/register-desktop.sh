#!/usr/bin/env bash
# Registers an installed program folder with the user's desktop: its menu
# entry into the applications folder and its icon into the hicolor theme of
# the user's data folder (XDG_DATA_HOME, ~/.local/share by default). Running
# it again replaces the entry and icons; nothing else there is touched but
# the entry an earlier version registered under another name.
set -euo pipefail

prefix=${1:?usage: register-desktop.sh <installed program folder>}
share="$prefix/share"
data=${XDG_DATA_HOME:-$HOME/.local/share}
id=org.tonvela.Tonvela
entry="$share/applications/$id.desktop"
[ -f "$entry" ] || { echo "no desktop entry in $share; install first" >&2; exit 1; }

install -D -m 644 "$entry" "$data/applications/$id.desktop"
# The entry an earlier install registered under the program's bare name
# would show the program twice in the menu.
rm -f "$data/applications/tonvela.desktop"
for icon in "$share"/icons/hicolor/*/apps/tonvela.png; do
    size=$(basename "$(dirname "$(dirname "$icon")")")
    install -D -m 644 "$icon" "$data/icons/hicolor/$size/apps/tonvela.png"
done

# Menus and icon caches notice the new files; the tools are optional.
touch "$data/icons/hicolor"
if command -v update-desktop-database >/dev/null; then
    update-desktop-database -q "$data/applications" || true
fi
if [ -f "$data/icons/hicolor/index.theme" ] && command -v gtk-update-icon-cache >/dev/null; then
    gtk-update-icon-cache -q "$data/icons/hicolor" || true
fi
