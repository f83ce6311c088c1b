#!/usr/bin/env bash
# Builds the product, build/win32/UnInstall.exe.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32
ls -l build/win32/UnInstall.exe
