#!/usr/bin/env bash
# After the end-to-end cases: stops the display that setup started, and
# prints how long the whole set took.
#   cleanup.sh WORKDIR
work=$1
if [ -f "$work/xvfb.pid" ]; then
    kill "$(cat "$work/xvfb.pid")" 2>/dev/null
    rm -f "$work/xvfb.pid" "$work/display"
fi
if [ -f "$work/started" ]; then
    ms=$(( ($(date +%s%N) - $(cat "$work/started")) / 1000000 ))
    echo "end-to-end set took $((ms / 1000)).$(printf %03d $((ms % 1000))) s" | tee "$work/time.txt"
fi
exit 0
