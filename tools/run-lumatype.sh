#!/bin/bash
# Builds and starts Lumatype under Wine: the shipped i686 build where this
# host runs 32-bit code, else the x86_64 one. On a desktop it simply runs;
# without a display it runs under a private Xvfb, saves a screenshot once the
# main window is up, and closes the program.
#   run-lumatype.sh <screenshot.png>
set -euo pipefail
shot=$1
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source tools/wine-archs.sh
decide_wine_archs
arch=${WINE_ARCHS%% *}
[ -n "$arch" ] || { echo "run: no Windows build this host can run ($WINE_NOT_RUN)" >&2; exit 1; }
tree=$(wine_arch_tree "$arch")
echo "run: the $arch build ($tree)${WINE_NOT_RUN:+; $WINE_NOT_RUN}"
make --no-print-directory "$(basename "$tree")"
exe=$root/$tree/bin/Lumatype.exe
runner=$root/cmake/wine-run.sh
if [ -n "${DISPLAY:-}" ]; then exec "$runner" "$exe"; fi

show_and_shoot() {
    "$runner" "$exe" &
    local pid=$!
    local win=
    for _ in $(seq 120); do
        win=$(xdotool search --onlyvisible --name '^Lumatype$' 2>/dev/null | head -1 || true)
        [ -n "$win" ] && break
        sleep 0.5
    done
    if [ -z "$win" ]; then
        echo "run: the main window did not appear" >&2
        kill $pid 2>/dev/null || true
        return 1
    fi
    sleep 2
    import -window root "$shot"
    echo "run: main window is up; screenshot in $shot"
    xdotool windowclose "$win" 2>/dev/null || xdotool key --window "$win" alt+F4 || true
    for _ in $(seq 20); do kill -0 $pid 2>/dev/null || break; sleep 0.5; done
    kill $pid 2>/dev/null || true
}
export -f show_and_shoot
export exe shot runner
exec tools/with-display.sh bash -c show_and_shoot
