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

. tests/e2e/wine_session.sh "$root/build/bench"
work="$root/build/bench"
session_start_display

driver=build/win64/e2e_driver.exe
exe=build/win64/UnInstall.exe

echo "== Win32 calls in a full run, options 0x3F (win64 build under Wine's relay trace)"
# A first run without the trace starts Wine's desktop process, which would
# otherwise be traced too.
"$wine" "$driver" bench "$(session_windows_path "$exe")" 1 >/dev/null
"$wine" "$driver" bench "$(session_windows_path "$exe")" 1 --flat --relay >/dev/null 2>"$work/relay-flat.txt"
"$wine" "$driver" bench "$(session_windows_path "$exe")" 1 --relay >/dev/null 2>"$work/relay-tree.txt"
echo " no key has subkeys (the run needs 84 operations):"
python3 bench/count_relay.py "$exe" "$work/relay-flat.txt"
echo " the file-type keys have subkeys, as real registrations do:"
python3 bench/count_relay.py "$exe" "$work/relay-tree.txt" "$work/relay-flat.txt"

echo "== Wall time from start to exit, answering Yes and OK, $runs runs each"
median() { grep -Eo '[0-9.]+ ms' | cut -d' ' -f1 | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
full=$("$wine" "$driver" bench "$(session_windows_path "$exe")" "$runs" | tr -d '\r' | median)
boxes=$("$wine" "$driver" bench "$(session_windows_path build/win64/two_boxes.exe)" "$runs" | tr -d '\r' | median)
echo "  full run: median $full ms; two message boxes alone: median $boxes ms"
echo "  ratio: $(awk -v a="$full" -v b="$boxes" 'BEGIN {printf "%.2f", a / b}')"
