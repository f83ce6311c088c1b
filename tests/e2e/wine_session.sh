# Sourced by the scripts that run UnInstall.exe under Wine outside ctest (the
# demonstration and the figures): a throwaway prefix in WORK, a virtual
# display on request, and an exit trap that stops exactly what was started.
#   . tests/e2e/wine_session.sh WORK
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
session_work=$1
session_xvfb=""
rm -rf "$session_work"
mkdir -p "$session_work"
export WINEPREFIX="$session_work/prefix" WINEDEBUG=-all
export XDG_DATA_HOME="$session_work/prefix/xdg"
export WINEDLLOVERRIDES="winemenubuilder.exe=d"

session_stop() {
    "$wineserver" -k 2>/dev/null || true
    if [ -n "$session_xvfb" ]; then kill "$session_xvfb" 2>/dev/null || true; fi
}
trap session_stop EXIT

"$(dirname "${BASH_SOURCE[0]}")/prepare_prefix.sh" "$wine" "$WINEPREFIX"

# Starts a virtual display of our own and points DISPLAY at it.
session_start_display() {
    exec 3>"$session_work/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$session_work/xvfb.log" 2>&1 &
    session_xvfb=$!
    exec 3>&-
    for _ in $(seq 100); do [ -s "$session_work/display" ] && break; sleep 0.1; done
    [ -s "$session_work/display" ] || { echo "Xvfb did not start"; exit 1; }
    export DISPLAY=":$(cat "$session_work/display")"
}

# A Linux path as the Windows programs in the prefix see it.
session_windows_path() { "$wine" winepath -w "$1" 2>/dev/null | tr -d '\r'; }
