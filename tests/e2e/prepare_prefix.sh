#!/usr/bin/env bash
# Makes a new Wine prefix for running UnInstall.exe, shut off from the home
# folder of the user running the tests.
#   prepare_prefix.sh WINE PREFIX
set -euo pipefail
wine=$1 prefix=$2
wineserver="$(dirname "$wine")/wineserver"
export WINEPREFIX="$prefix" WINEDEBUG=-all
# No Mono or Gecko prompts, and no menu entries written for the prefix's
# shortcuts.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export XDG_DATA_HOME="$prefix/xdg"
unset DISPLAY
"$wine" wineboot --init >/dev/null 2>&1
# Windows inside one virtual desktop: without a window manager each top-level
# window that closes would otherwise wait two seconds for one.
"$wine" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
"$wine" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
"$wineserver" -w
# Wine links the user's Desktop, Documents and the like to the home folder;
# make them the prefix's own folders, so that nothing lands outside it.
for link in "$prefix"/drive_c/users/*/*; do
    if [ -L "$link" ]; then
        rm "$link"
        mkdir "$link"
    fi
done
