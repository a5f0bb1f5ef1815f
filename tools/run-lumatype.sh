#!/bin/bash
# Starts Lumatype under Wine. On a desktop it simply runs; without a display it
# runs under a private Xvfb, saves a screenshot once the main window is up, and
# closes the program.
set -euo pipefail
exe=$1
shot=$2
runner="$(dirname "$0")/../cmake/wine-run.sh"
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
exec "$(dirname "$0")/with-display.sh" bash -c show_and_shoot
