#!/usr/bin/env bash
# Sets up what is missing, builds every preset and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

for preset in host host-asan win32 win64; do
    echo "== $preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done
cat build/win64/e2e/time.txt 2>/dev/null || true
