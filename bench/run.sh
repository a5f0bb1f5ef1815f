#!/bin/bash
# Conversion speed (make bench). The engine alone on generated C++; then, on
# 20 MB of real C headers from /usr/include made valid UTF-8, the whole
# lumatype-cli process beside highlight and pygmentize on the same file in the
# same run, medians of 3 runs, and lumatype-cli's peak memory. Last, the whole
# process, best of 5, on the headers and on 10 MB of Python's library beside
# the build of the branch BENCH_REFERENCE (default main) in the same run.
# MB here is 1,000,000 bytes. Usage: bench/run.sh <native-build-dir>
set -euo pipefail
build=${1:?usage: bench/run.sh <native-build-dir>}
here=$(dirname "$0")
source "$here/header_input.sh"
cmake --build "$build" --target lumatype-bench lumatype-cli -j 2 >/dev/null
bin="$build/bin"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The comparison tools and GNU time come from Debian packages that `make test`
# does not need, so they are installed here rather than by tools/setup.sh.
# The Debian programs are run by their paths: a pygmentize earlier in PATH
# (a pyenv shim, say) is not the packaged one.
highlight=/usr/bin/highlight pygmentize=/usr/bin/pygmentize gnu_time=/usr/bin/time
install_missing_tools() {
    local missing=()
    [ -x "$highlight" ] || missing+=(highlight)
    [ -x "$pygmentize" ] || missing+=(python3-pygments)
    [ -x "$gnu_time" ] || missing+=(time)
    [ ${#missing[@]} -eq 0 ] && return
    local sudo=
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    echo "bench: installing ${missing[*]}"
    if ! { $sudo apt-get update -q && DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "${missing[@]}"; } \
        >"$work/apt.log" 2>&1; then
        echo "bench: could not install ${missing[*]} (last lines of apt-get below); their figures are left out"
        tail -n 3 "$work/apt.log" | sed 's/^/  /'
    fi
}
install_missing_tools

# Median wall time of 3 runs of a command whose output goes to /dev/null, in
# seconds; fails when a run fails.
median_time() {
    local times=() start end
    for _ in 1 2 3; do
        start=$(date +%s%N)
        "$@" >/dev/null 2>"$work/stderr" || { echo "bench: failed: $* ($(head -n 1 "$work/stderr"))" >&2; return 1; }
        end=$(date +%s%N)
        times+=($(((end - start) / 1000)))
    done
    printf '%s\n' "${times[@]}" | sort -n | sed -n 2p | awk '{ printf "%.4f", $1 / 1e6 }'
}
# MB/s of `bytes` in `seconds`.
rate() { awk -v b="$1" -v s="$2" 'BEGIN { printf "%.1f", b / 1e6 / s }'; }
line() { printf '  %-44s %s\n' "$1" "$2"; }

generated="$work/generated.cpp"
"$bin/lumatype-bench" generate "$generated" 5
echo "generated C++: $(stat -c %s "$generated") bytes"
line "engine alone (in memory, best of 7):" "$("$bin/lumatype-bench" engine "$bin/Lumatype.ini" "$generated" 2>/dev/null) MB/s"

input="$work/headers.h"
make_header_input "$input" 20000000
bytes=$(stat -c %s "$input")
echo "real input: $bytes bytes of C headers from /usr/include, valid UTF-8, $(wc -l <"$input") lines"
line "engine alone (in memory, best of 7):" "$("$bin/lumatype-bench" engine "$bin/Lumatype.ini" "$input" 2>/dev/null) MB/s"
cli_time=$(median_time "$bin/lumatype-cli" "$input")
line "lumatype-cli FILE > /dev/null:" "$(rate "$bytes" "$cli_time") MB/s ($cli_time s, median of 3)"
file_time=$(median_time "$bin/lumatype-cli" -o "$work/out.html" "$input")
line "lumatype-cli -o FILE (writes in $(dirname "$work")):" "$(rate "$bytes" "$file_time") MB/s ($file_time s, median of 3)"

# One comparison tool on the same input: its rate and how many times as fast
# lumatype-cli is.
compare() {
    local name=$1 program=$2 t
    shift
    if [ ! -x "$program" ]; then
        line "$name:" "UNAVAILABLE ($program is not installed)"
        return
    fi
    if ! t=$(median_time "$@"); then
        line "$name:" "FAILED (see above)"
        return
    fi
    line "$name:" "$(rate "$bytes" "$t") MB/s ($t s, median of 3); lumatype-cli is $(awk -v t="$t" -v c="$cli_time" 'BEGIN { printf "%.1f", t / c }') times as fast"
}
compare "highlight --inline-css --syntax c" "$highlight" --inline-css --syntax c -i "$input"
compare "pygmentize -f html -O noclasses -l c" "$pygmentize" -f html -O noclasses -l c "$input"

if [ -x "$gnu_time" ]; then
    peak_kb=$("$gnu_time" -f %M "$bin/lumatype-cli" "$input" 2>&1 >/dev/null | tail -n 1)
    line "lumatype-cli peak memory (max RSS):" "$(awk -v k="$peak_kb" -v b="$bytes" 'BEGIN { printf "%.1f MB, %.2f times the input", k * 1024 / 1e6, k * 1024 / b }')"
else
    line "lumatype-cli peak memory:" "UNAVAILABLE ($gnu_time is not installed)"
fi

# The reference: the same tree at another commit, its lumatype-cli built
# apart, each build with its own settings and language files.
reference=${BENCH_REFERENCE:-main}
python_input="$work/library.py"
make_python_input "$python_input" 10000000
python_bytes=$(stat -c %s "$python_input")
best_time() {
    local best= start end took
    for _ in 1 2 3 4 5; do
        start=$(date +%s%N)
        "$@" >/dev/null 2>"$work/stderr" || { echo "bench: failed: $* ($(head -n 1 "$work/stderr"))" >&2; return 1; }
        end=$(date +%s%N)
        took=$(((end - start) / 1000))
        if [ -z "$best" ] || [ "$took" -lt "$best" ]; then best=$took; fi
    done
    awk -v t="$best" 'BEGIN { printf "%.4f", t / 1e6 }'
}
reference_cli=
tree=$(cd "$here/.." && pwd)
if git -C "$tree" rev-parse -q --verify "$reference^{commit}" >/dev/null; then
    mkdir -p "$work/reference"
    git -C "$tree" archive "$reference" | tar -x -C "$work/reference"
    if cmake -S "$work/reference" -B "$work/reference/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >"$work/reference.log" 2>&1 &&
        cmake --build "$work/reference/build" --target lumatype-cli -j 2 >>"$work/reference.log" 2>&1; then
        reference_cli="$work/reference/build/bin/lumatype-cli"
    else
        echo "bench: the $reference build failed (last lines below); its figures are left out"
        tail -n 3 "$work/reference.log" | sed 's/^/  /'
    fi
fi
echo "whole process, best of 5 (lumatype-cli FILE > /dev/null):"
for case in "C headers:$input:$bytes" "Python library:$python_input:$python_bytes"; do
    IFS=: read -r name file size <<<"$case"
    ours=$(best_time "$bin/lumatype-cli" "$file")
    if [ -n "$reference_cli" ]; then
        theirs=$(best_time "$reference_cli" "$file")
        line "$name, $size bytes:" "$(rate "$size" "$ours") MB/s; $reference: $(rate "$size" "$theirs") MB/s (ours $(awk -v a="$ours" -v b="$theirs" 'BEGIN { printf "%+.1f%%", (b / a - 1) * 100 }'))"
    else
        line "$name, $size bytes:" "$(rate "$size" "$ours") MB/s; $reference: UNAVAILABLE"
    fi
done
