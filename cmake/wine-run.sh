#!/bin/sh
# Runs a Windows executable under Wine with a prefix that belongs to the build
# tree the executable lives in, so parallel build trees never share state and
# the costly prefix creation happens once per tree.
#
# The loader must fit the program: Debian's wine wrapper always takes the
# 32-bit one when it is installed, even on hosts that refuse 32-bit code, so
# the loader is named here from the program's PE header.
set -e
exe=$1
[ -n "$exe" ] || { echo "usage: wine-run.sh program.exe [args...]" >&2; exit 2; }
dir=$(cd "$(dirname "$exe")" && pwd)
tree=$dir
while [ "$tree" != / ] && [ ! -f "$tree/CMakeCache.txt" ]; do tree=$(dirname "$tree"); done
[ "$tree" = / ] && tree=$dir

# IMAGE_FILE_HEADER.Machine, at the offset the DOS header's e_lfanew gives.
pe_offset=$(od -An -tu4 -j60 -N4 "$exe" | tr -d ' ')
machine=$(od -An -tx2 -j$((pe_offset + 4)) -N2 "$exe" | tr -d ' ')
case $machine in
    8664) loader=/usr/lib/wine/wine64 ;;
    014c) loader=/usr/lib/wine/wine ;;
    *) echo "wine-run.sh: $exe is no i686 or x86_64 Windows program (machine '$machine')" >&2; exit 2 ;;
esac
[ -x "$loader" ] || { echo "wine-run.sh: $loader is not installed; run make setup" >&2; exit 2; }
export WINELOADER=$loader
export WINEPREFIX="${LUMATYPE_WINEPREFIX:-$tree/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LANG="${LUMATYPE_WINE_LANG:-zh_CN.UTF-8}"
mkdir -p "$(dirname "$WINEPREFIX")"
# Serialise prefix set-up: ctest may start several programs at once. The
# stamp holds the checksum of the set-up script, so a prefix made by an older
# one is brought up to date on its next use.
setup=$(dirname "$0")/wine-prefix.sh
stamp=$WINEPREFIX/lumatype-setup.stamp
( flock 9
  want=$(cksum <"$setup")
  if [ ! -f "$WINEPREFIX/system.reg" ] || [ "$(cat "$stamp" 2>/dev/null)" != "$want" ]; then
      sh "$setup" "$loader" </dev/null && echo "$want" >"$stamp"
  fi ) 9>"$WINEPREFIX.lock"
# Wine's background processes (wineserver, services, explorer) outlive the
# program; started from here they would inherit our stdout and keep ctest
# waiting for it to close. Start them detached first; later runs reuse them.
wineserver -p600 </dev/null >/dev/null 2>&1 || true
"$loader" wineboot </dev/null >/dev/null 2>&1 || true
if [ -z "$DISPLAY" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$loader" "$@"
fi
exec "$loader" "$@"
