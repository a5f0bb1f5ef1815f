#!/bin/bash
# Runs every fuzz target of a fuzz build tree for the given number of seconds
# each, starting from the files of its seed folders (listed one a line in
# <builddir>/fuzz-seeds/<target>). Reports every target with its executions
# and executions per second; a crashing input is kept in
# <builddir>/fuzz-findings/.
set -euo pipefail
builddir=${1:?usage: run-fuzzers.sh <builddir> <seconds>}
seconds=${2:?usage: run-fuzzers.sh <builddir> <seconds>}
findings="$builddir/fuzz-findings"
mkdir -p "$findings"
shopt -s nullglob
targets=()
for target in "$builddir"/bin/fuzz_*; do [ -x "$target" ] && targets+=("$target"); done
[ ${#targets[@]} -gt 0 ] || { echo "run-fuzzers: no fuzz targets in $builddir/bin" >&2; exit 1; }
failed=0
passed=0
for target in "${targets[@]}"; do
    name=$(basename "$target")
    corpus=$(mktemp -d)
    if [ -f "$builddir/fuzz-seeds/$name" ]; then
        while IFS= read -r folder; do
            [ -n "$folder" ] && find "$folder" -maxdepth 1 -type f -exec cp -t "$corpus" {} +
        done <"$builddir/fuzz-seeds/$name"
    fi
    echo "run-fuzzers: $name for ${seconds}s"
    if "$target" "$corpus" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=16384 \
        -artifact_prefix="$findings/$name-" -print_final_stats=1 >"$findings/$name.log" 2>&1; then
        passed=$((passed + 1))
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$findings/$name.log")
        speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$findings/$name.log")
        echo "run-fuzzers: $name: ${runs:-?} executions, ${speed:-?} per second"
    else
        echo "run-fuzzers: $name FAILED; see $findings/$name.log" >&2
        tail -n 30 "$findings/$name.log" >&2
        failed=$((failed + 1))
    fi
    rm -rf "$corpus"
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
