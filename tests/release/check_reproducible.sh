#!/usr/bin/env bash
# Builds the product twice from copies of the source in two different
# folders and shows that the two UnInstall.exe files are the same bytes.
#   check_reproducible.sh SOURCE PRESET
set -euo pipefail
source=$1 preset=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
for copy in first "second copy"; do
    mkdir -p "$scratch/$copy"
    (cd "$source" && git ls-files -co --exclude-standard -z 2>/dev/null ||
        find . -path ./build -prune -o -type f -print0) |
        (cd "$source" && xargs -0 cp --parents -t "$scratch/$copy")
    (cd "$scratch/$copy" && cmake --preset "$preset" >/dev/null &&
        cmake --build --preset "$preset" --target UnInstall >/dev/null)
done
a="$scratch/first/build/$preset/UnInstall.exe"
b="$scratch/second copy/build/$preset/UnInstall.exe"
sha256sum "$a" "$b" | sed "s|$scratch/||"
cmp "$a" "$b" && echo "the two builds are byte-identical"
