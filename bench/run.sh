#!/bin/bash
# Throughput of the conversion engine and of lumatype-cli on a 5 MB C/C++
# file, with highlight and pygmentize (when installed) on the same file in the
# same run for comparison. Usage: bench/run.sh <native-build-dir>
set -euo pipefail
build=${1:?usage: bench/run.sh <native-build-dir>}
cmake --build "$build" --target lumatype-bench lumatype-cli -j 2 >/dev/null
bin="$build/bin"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source_file="$work/bench.cpp"
"$bin/lumatype-bench" generate "$source_file" 5
megabytes=$(awk -v b="$(stat -c %s "$source_file")" 'BEGIN { printf "%.2f", b / 1048576 }')
echo "input: $source_file, $megabytes MB"

# Best wall time of `runs` runs of a command, in seconds.
best_time() {
    local runs=$1 best=""
    shift
    for ((run = 0; run < runs; ++run)); do
        local start end
        start=$(date +%s%N)
        "$@" >/dev/null 2>&1 || { echo "bench: failed: $*" >&2; return 1; }
        end=$(date +%s%N)
        local t=$(((end - start) / 1000))
        if [ -z "$best" ] || [ "$t" -lt "$best" ]; then best=$t; fi
    done
    awk -v us="$best" 'BEGIN { printf "%.4f", us / 1e6 }'
}
rate() { awk -v mb="$megabytes" -v s="$1" 'BEGIN { printf "%.1f", mb / s }'; }

# Every program writes its HTML to standard output, which goes to /dev/null:
# the figures compare the programs, not the file system. Writing the file
# is shown once for lumatype-cli.
engine=$("$bin/lumatype-bench" engine "$bin/Lumatype.ini" "$source_file")
echo "engine alone:        $engine MB/s"
cli_time=$(best_time 5 "$bin/lumatype-cli" "$source_file")
cli_rate=$(rate "$cli_time")
echo "lumatype-cli:        $cli_rate MB/s ($cli_time s)"
file_time=$(best_time 5 "$bin/lumatype-cli" -o "$work/out.html" "$source_file")
echo "lumatype-cli -o:     $(rate "$file_time") MB/s ($file_time s, writing the file in $work)"

compare() {
    local name=$1; shift
    if ! command -v "$1" >/dev/null; then
        echo "$name: not installed"
        return
    fi
    local t  # one run: these take seconds
    t=$(best_time 1 "$@")
    awk -v name="$name" -v mb="$megabytes" -v t="$t" -v c="$cli_time" \
        'BEGIN { printf "%-20s %.1f MB/s (%.3f s); lumatype-cli is %.1f times as fast\n", name ":", mb / t, t, t / c }'
}
compare "highlight" highlight --inline-css -S cpp -i "$source_file"
compare "pygmentize" pygmentize -l cpp -f html -O noclasses "$source_file"
