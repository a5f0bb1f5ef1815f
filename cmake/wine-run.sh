#!/bin/sh
# Runs a Windows executable under Wine with a prefix that belongs to the build
# tree the executable lives in, so parallel build trees never share state and
# the costly prefix creation happens once per tree.
set -e
exe=$1
[ -n "$exe" ] || { echo "usage: wine-run.sh program.exe [args...]" >&2; exit 2; }
dir=$(cd "$(dirname "$exe")" && pwd)
tree=$dir
while [ "$tree" != / ] && [ ! -f "$tree/CMakeCache.txt" ]; do tree=$(dirname "$tree"); done
[ "$tree" = / ] && tree=$dir
export WINEPREFIX="${LUMATYPE_WINEPREFIX:-$tree/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LANG="${LUMATYPE_WINE_LANG:-zh_CN.UTF-8}"
mkdir -p "$(dirname "$WINEPREFIX")"
# Serialise prefix creation: ctest may start several programs at once.
# Unmanaged windows: Wine draws their frames itself and does not wait for a
# window manager (Xvfb has none) each time a top-level window appears.
( flock 9
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
      wineboot -i >/dev/null 2>&1 || true
      wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1 || true
  fi ) 9>"$tree/.wineprefix.lock"
# Wine's background processes (wineserver, services, explorer) outlive the
# program; started from here they would inherit our stdout and keep ctest
# waiting for it to close. Start them detached first; later runs reuse them.
wineserver -p600 </dev/null >/dev/null 2>&1 || true
wine wineboot </dev/null >/dev/null 2>&1 || true
if [ -z "$DISPLAY" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" wine "$@"
fi
exec wine "$@"
