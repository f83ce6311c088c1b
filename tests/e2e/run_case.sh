#!/usr/bin/env bash
# One end-to-end case in a prefix of its own, copied from the template.
#   run_case.sh WORKDIR WINE DRIVER CASE
set -uo pipefail
work=$1 wine=$2 driver=$3 case=$4
wineserver="$(dirname "$wine")/wineserver"
prefix="$work/prefixes/$case"
rm -rf "$prefix"
mkdir -p "$work/prefixes"
cp -a "$work/template" "$prefix"

export WINEPREFIX="$prefix" WINEDEBUG=-all XDG_DATA_HOME="$prefix/xdg"
export WINEDLLOVERRIDES="winemenubuilder.exe=d"
if [ "$case" = no_display ]; then
    unset DISPLAY   # the confirmation cannot be shown at all
else
    export DISPLAY=":$(cat "$work/display")"
fi
# Output to a file: Wine's own background processes inherit it and keep a
# pipe open until their server goes.
"$wine" "$driver" "$case" >"$prefix.log" 2>&1 </dev/null
status=$?
"$wineserver" -k 2>/dev/null
"$wineserver" -w 2>/dev/null
tr -d '\r' <"$prefix.log"
[ $status -eq 0 ] && rm -rf "$prefix" "$prefix.log"
exit $status
