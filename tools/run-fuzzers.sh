#!/bin/bash
# Runs every fuzz target of a fuzz build tree for the given number of seconds
# each, starting from the shipped data files that suit it. Reports every
# target; a crashing input is kept in <builddir>/fuzz-findings/.
set -euo pipefail
builddir=${1:?usage: run-fuzzers.sh <builddir> <seconds>}
seconds=${2:?usage: run-fuzzers.sh <builddir> <seconds>}
root=$(cd "$(dirname "$0")/.." && pwd)
findings="$builddir/fuzz-findings"
mkdir -p "$findings"
shopt -s nullglob
targets=("$builddir"/bin/fuzz_*)
[ ${#targets[@]} -gt 0 ] || { echo "run-fuzzers: no fuzz targets in $builddir/bin" >&2; exit 1; }
failed=0
passed=0
for target in "${targets[@]}"; do
    name=$(basename "$target")
    corpus=$(mktemp -d)
    case $name in
        fuzz_language_file) cp "$root"/data/languages/* "$corpus/" ;;
        fuzz_profile) cp "$root"/data/*.ini "$root"/data/themes/* "$corpus/" ;;
    esac
    echo "run-fuzzers: $name for ${seconds}s"
    if "$target" "$corpus" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=16384 \
        -artifact_prefix="$findings/$name-" -print_final_stats=0 >"$findings/$name.log" 2>&1; then
        passed=$((passed + 1))
    else
        echo "run-fuzzers: $name FAILED; see $findings/$name.log" >&2
        tail -n 30 "$findings/$name.log" >&2
        failed=$((failed + 1))
    fi
    rm -rf "$corpus"
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
