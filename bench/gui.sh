#!/bin/bash
# The GUI benchmark (make bench-gui): the real main window under Wine.
# Usage: bench/gui.sh <windows-build-dir> [divisor of the line counts]
set -euo pipefail
build=${1:?usage: bench/gui.sh <windows-build-dir> [divisor]}
cmake --build "$build" --target lumatype-gui-bench Tessella shipped_data -j 2 >/dev/null
exec "$(dirname "$0")/../cmake/wine-run.sh" "$build/bin/lumatype-gui-bench.exe" "${2:-1}"
