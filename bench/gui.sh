#!/bin/bash
# The GUI benchmark (make bench-gui): the real main window under Wine.
# Usage: bench/gui.sh <windows-build-dir> [--divisor N] [--compare-lines N] [--only STEP]
# Chunk by chunk is compared at 400 lines unless told otherwise: it grows
# faster than linearly and would take hours at 2,000.
set -euo pipefail
build=${1:?usage: bench/gui.sh <windows-build-dir> [options]}
shift
cmake --build "$build" --target lumatype-gui-bench Tessella shipped_data -j 2 >/dev/null
[ $# -gt 0 ] || set -- --compare-lines 400
exec "$(dirname "$0")/../cmake/wine-run.sh" "$build/bin/lumatype-gui-bench.exe" "$@"
