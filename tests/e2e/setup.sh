#!/usr/bin/env bash
# Before the end-to-end cases: starts a virtual X display, prepares the Wine
# prefix that every case copies, and checks that the cases ctest knows are
# exactly the driver's.
#   setup.sh WORKDIR WINE DRIVER CASE...
set -euo pipefail
work=$1 wine=$2 driver=$3
shift 3
mkdir -p "$work"
wineserver="$(dirname "$wine")/wineserver"
date +%s%N >"$work/started"

# A display of our own; its pid is kept so that cleanup stops exactly it.
if [ -f "$work/xvfb.pid" ] && kill -0 "$(cat "$work/xvfb.pid")" 2>/dev/null; then
    kill "$(cat "$work/xvfb.pid")" || true
fi
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
echo $! >"$work/xvfb.pid"
exec 3>&-
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
echo "display :$(cat "$work/display")"

template="$work/template"
if [ ! -f "$template/.prepared" ]; then
    rm -rf "$template"
    bash "$(dirname "$0")/prepare_prefix.sh" "$wine" "$template"
    touch "$template/.prepared"
fi
echo "prefix template $template"

listed=$(WINEPREFIX="$template" WINEDEBUG=-all "$wine" "$driver" list | tr -d '\r' | sort)
"$wineserver" -k 2>/dev/null || true
registered=$(printf '%s\n' "$@" | sort)
if [ "$listed" != "$registered" ]; then
    echo "the driver's cases and the registered ones differ:"
    diff <(echo "$listed") <(echo "$registered") || true
    exit 1
fi
