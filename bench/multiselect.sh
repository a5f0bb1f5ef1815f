#!/bin/bash
# Growth of the multi-select control (make bench-multiselect): the real
# Tessella.dll under Wine. Usage: bench/multiselect.sh <windows-build-dir>
set -euo pipefail
build=${1:?usage: bench/multiselect.sh <windows-build-dir>}
cmake --build "$build" --target multiselect-bench Tessella -j 2 >/dev/null
exec "$(dirname "$0")/../cmake/wine-run.sh" "$build/bin/multiselect-bench.exe"
