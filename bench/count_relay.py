#!/usr/bin/env python3
"""Counts the Win32 calls that an image itself makes, from Wine's relay trace.

  count_relay.py EXE TRACE [BASELINE_TRACE]

Only calls whose return address lies in EXE's image count: what the system
libraries call among themselves does not. The C library (msvcrt) is left
out. With a baseline, also prints which calls the second trace has beyond it.
"""
import collections
import os
import re
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "release"))
from check_pe import image_range  # noqa: E402

CALL = re.compile(r"^[0-9a-f]+:Call ([\w.]+)\.(\w+)\(.*\) ret=([0-9a-f]+)$")
STARTUP = {"GetStartupInfoA", "GetModuleHandleA", "GetCommandLineA", "ExitProcess"}


def count(exe, trace):
    base, size = image_range(exe)
    calls = collections.Counter()
    for line in open(trace, errors="replace"):
        match = CALL.match(line.strip())
        if match and base <= int(match.group(3), 16) < base + size:
            dll, function = match.group(1).upper(), match.group(2)
            if dll != "MSVCRT":
                calls[function] += 1
    return calls


def main():
    exe, trace = sys.argv[1:3]
    calls = count(exe, trace)
    startup = sum(n for f, n in calls.items() if f in STARTUP)
    total = sum(calls.values())
    print("  %d Win32 calls from the program's image: %d of the run, %d of its startup"
          % (total, total - startup, startup))
    if len(sys.argv) > 3:
        baseline = count(exe, sys.argv[3])
        extra = calls - baseline
        print("  subkey work adds %d calls: %s" % (
            sum(extra.values()),
            ", ".join("%s x%d" % (f, n) for f, n in sorted(extra.items()))))


if __name__ == "__main__":
    main()
