#!/bin/bash
# Runs the Wine suites of every Windows build this host can execute, checks
# each of those architectures' release archive against the native command
# line, and ends with one line saying what was tested and what was not.
#   test-wine.sh <native lumatype-cli>
set -uo pipefail
native_cli=$(realpath "${1:?usage: test-wine.sh <native lumatype-cli>}")
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source tools/wine-archs.sh
decide_wine_archs || exit 2
version=$(sed -n 's/^#define LUMATYPE_VERSION "\(.*\)"/\1/p' build/win32/generated/lumatype_version.h)

summary=
failed=0
for arch in $WINE_ARCHS; do
    tree=$(wine_arch_tree "$arch")
    echo "test-wine: $arch suites in $tree"
    suites=passed
    tools/with-display.sh bash -c "cd $tree && ctest --output-on-failure -j ${JOBS:-2}" || { suites=FAILED; failed=1; }
    archive=passed
    # Each tree's archive is named after its folder: win32, win64.
    bash tools/check-dist.sh "dist/lumatype-$version-$(basename "$tree").zip" "$native_cli" "$tree/wineprefix" \
        || { archive=FAILED; failed=1; }
    summary+="${summary:+; }$arch tested (suites $suites, archive $archive)"
done

echo "wine: ${summary:-nothing tested}${WINE_NOT_RUN:+; NOT tested: $WINE_NOT_RUN}"
exit $failed
