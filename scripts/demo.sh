#!/usr/bin/env bash
# The demonstration: lays down a typical Orlatune installation (every option,
# in "C:\Program Files\Orlatune") in a throwaway Wine prefix, runs the real
# UnInstall.exe on it, and prints what was there before and what went.
#
# With a display ($DISPLAY set) you answer the dialogs yourself. Without one
# it runs on a virtual display, answers Yes and OK, and saves a PNG of each
# dialog. Everything it makes stays in build/demo; nothing is left running.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

scripts/setup.sh >/dev/null
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target e2e_driver >/dev/null

work="$root/build/demo"
echo "Preparing a Wine prefix in $work/prefix ..."
. tests/e2e/wine_session.sh "$work"
mkdir -p "$work/screenshots"

answer=""
if [ -z "${DISPLAY:-}" ]; then
    session_start_display
    answer="--answer"
    echo "No display: running on a virtual one and answering Yes, then OK."
else
    echo "Answer the dialogs on your display ($DISPLAY)."
fi

screens=$(session_windows_path "$work/screenshots")
"$wine" build/win64/e2e_driver.exe demo "$screens" $answer >"$work/account.txt" 2>&1 </dev/null || true
"$wineserver" -k 2>/dev/null || true
tr -d '\r' <"$work/account.txt"

shopt -s nullglob
bitmaps=("$work"/screenshots/*.bmp)
if [ ${#bitmaps[@]} -gt 0 ]; then
    python3 scripts/bmp_to_png.py "${bitmaps[@]}"
    rm -f "${bitmaps[@]}"
    echo
    echo "Screenshots of the dialogs:"
    ls -1 "$work"/screenshots/*.png
fi
