#!/usr/bin/env bash
# Runs the fuzzer for a number of executions over the seed corpus and the
# kept findings, and prints executions, coverage and findings.
#   scripts/fuzz.sh [EXECUTIONS] [FUZZER]
# Without FUZZER it builds the host-asan preset first. New inputs go to a
# scratch folder under build/; a finding is written to build/fuzz-findings/
# and fails the run: fix it, then keep it in tests/fuzz/regressions/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-10000000}
fuzzer=${2:-}
if [ -z "$fuzzer" ]; then
    cd "$root"
    scripts/setup.sh >/dev/null
    cmake --preset host-asan >/dev/null
    cmake --build --preset host-asan --target uninstall_fuzzer >/dev/null
    fuzzer="$root/build/host-asan/uninstall_fuzzer"
fi
scratch=$(mktemp -d "$root/build/fuzz-corpus.XXXXXX")
findings="$root/build/fuzz-findings"
mkdir -p "$findings"
trap 'rm -rf "$scratch"' EXIT
log="$scratch.log"
start=$(date +%s)
status=0
"$fuzzer" -runs="$runs" -seed=1 -max_len=2048 -print_final_stats=1 \
    -artifact_prefix="$findings/" "$scratch" \
    "$root/tests/fuzz/corpus" "$root/tests/fuzz/regressions" >"$log" 2>&1 || status=$?
seconds=$(( $(date +%s) - start ))
grep -E "^(#[0-9]+ +DONE|Done [0-9]+ runs)" "$log" | tail -1 || true
execs=$(grep -Eo "stat::number_of_executed_units: *[0-9]+" "$log" | grep -Eo "[0-9]+$" || echo "?")
edges=$(grep -Eo "cov: [0-9]+" "$log" | tail -1 | grep -Eo "[0-9]+" || echo "?")
echo "fuzz: $execs executions in ${seconds} s, $edges edges covered, exit $status"
if [ $status -ne 0 ]; then
    grep -E "FINDING|ERROR|SUMMARY|artifact" "$log" | head -20
    echo "fuzz: findings in $findings, full log $log"
    trap - EXIT
    exit 1
fi
rm -f "$log"
echo "fuzz: no findings"
