#!/bin/sh
# Adds Quorvane to the desktop's application menu for this user, pointing at the program folder this script
# lies in. Run it again after moving the folder; remove ~/.local/share/applications/quorvane.desktop to undo.
set -eu
folder=$(cd "$(dirname "$0")" && pwd)
applications=${XDG_DATA_HOME:-$HOME/.local/share}/applications
mkdir -p "$applications"
sed -e "s|^Exec=.*|Exec=\"$folder/quorvane\"|" -e "s|^Icon=.*|Icon=$folder/quorvane.svg|" \
    "$folder/quorvane.desktop" >"$applications/quorvane.desktop"
command -v update-desktop-database >/dev/null 2>&1 && update-desktop-database "$applications" || true
echo "Quorvane is in the application menu: $applications/quorvane.desktop"
