#!/usr/bin/env bash
# Prints the figures of the release builds: size and imports of each
# UnInstall.exe, the Win32 calls that the program itself makes in a full run
# (options 0x3F) under Wine's relay trace, and the wall time of a full run
# against a program that only shows the same two message boxes.
#   bench/figures.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
runs=${1:-7}

scripts/setup.sh >/dev/null
for preset in win32 win64; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" >/dev/null
done

echo "== Size and imports (release builds)"
for preset in win32 win64; do
    exe="build/$preset/UnInstall.exe"
    imports=$(python3 tests/release/check_pe.py list "$exe")
    dlls=$(echo "$imports" | cut -d'!' -f1 | sort -u | tr '\n' ' ')
    size=$(stat -c %s "$exe")
    printf '  %-6s %6d bytes (%s KiB); %d functions from %s\n' "$preset" "$size" \
        "$(awk -v s="$size" 'BEGIN {printf "%.1f", s / 1024}')" \
        "$(echo "$imports" | wc -l)" "$dlls"
done

work="$root/build/bench"
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
rm -rf "$work"
mkdir -p "$work"
export WINEPREFIX="$work/prefix" WINEDEBUG=-all XDG_DATA_HOME="$work/prefix/xdg"
export WINEDLLOVERRIDES="winemenubuilder.exe=d"
xvfb=""
stop() {
    "$wineserver" -k 2>/dev/null || true
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
}
trap stop EXIT
tests/e2e/prepare_prefix.sh "$wine" "$work/prefix"
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb=$!
exec 3>&-
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"

driver=build/win64/e2e_driver.exe
exe=build/win64/UnInstall.exe
win() { "$wine" winepath -w "$1" 2>/dev/null | tr -d '\r'; }

echo "== Win32 calls in a full run, options 0x3F (win64 build under Wine's relay trace)"
# A first run without the trace starts Wine's desktop process, which would
# otherwise be traced too.
"$wine" "$driver" bench "$(win "$exe")" 1 >/dev/null
"$wine" "$driver" bench "$(win "$exe")" 1 --flat --relay >/dev/null 2>"$work/relay-flat.txt"
"$wine" "$driver" bench "$(win "$exe")" 1 --relay >/dev/null 2>"$work/relay-tree.txt"
echo " no key has subkeys (the run needs 84 operations):"
python3 bench/count_relay.py "$exe" "$work/relay-flat.txt"
echo " the file-type keys have subkeys, as real registrations do:"
python3 bench/count_relay.py "$exe" "$work/relay-tree.txt" "$work/relay-flat.txt"

echo "== Wall time from start to exit, answering Yes and OK, $runs runs each"
median() { grep -Eo '[0-9.]+ ms' | cut -d' ' -f1 | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
full=$("$wine" "$driver" bench "$(win "$exe")" "$runs" | tr -d '\r' | median)
boxes=$("$wine" "$driver" bench "$(win build/win64/two_boxes.exe)" "$runs" | tr -d '\r' | median)
echo "  full run: median $full ms; two message boxes alone: median $boxes ms"
echo "  ratio: $(awk -v a="$full" -v b="$boxes" 'BEGIN {printf "%.2f", a / b}')"
