#!/bin/bash
# Runs a command with an X display: the caller's, or a private Xvfb started
# for the duration of the command.
set -euo pipefail
if [ -n "${DISPLAY:-}" ]; then exec "$@"; fi
for n in $(seq 90 140); do
    [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ] || { num=$n; break; }
done
Xvfb :$num -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -e /tmp/.X11-unix/X$num ] && break; sleep 0.1; done
export DISPLAY=:$num
"$@"
