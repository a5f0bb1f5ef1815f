#!/bin/bash
# Installs what the build and the tests need; quick when all is present.
set -euo pipefail
pkgs=(cmake make g++ g++-mingw-w64-i686 wine wine32:i386 wine64 xvfb xauth xdotool
      imagemagick googletest libgtest-dev clang libclang-rt-14-dev fonts-wqy-zenhei fonts-wine
      binutils-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 util-linux locales
      chromium python3-pygments)
missing=()
for p in "${pkgs[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# Node may come from elsewhere than Debian (NodeSource's nodejs carries its
# own npm and conflicts with Debian's): a working command is enough.
command -v node >/dev/null || missing+=(nodejs)
command -v npm >/dev/null || missing+=(npm)

# Wine takes its ANSI code page from the locale: zh_CN.UTF-8 gives code page
# 936, the one the program's users have. The locale must exist for that.
ensure_locale() {
    locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$' && return 0
    $SUDO sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
    grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
    $SUDO locale-gen >/dev/null
}

SUDO=
[ "$(id -u)" -ne 0 ] && SUDO=sudo
if [ ${#missing[@]} -eq 0 ]; then ensure_locale; exit 0; fi
echo "setup: installing ${missing[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
fi
$SUDO apt-get update -q
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q "${missing[@]}"
ensure_locale
