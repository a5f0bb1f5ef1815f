#!/bin/bash
# Installs the Debian packages whose files make the agreement corpus for
# languages the build machine has no source of (and highlight, the rival
# measured beside us); quick when all is present. A missing package only
# shrinks the corpus, so a failed install warns and goes on.
set -uo pipefail
pkgs=(highlight libruby3.1 lua-penlight node-typescript openjdk-17-source librust-memchr-dev librust-serde-dev
      ghdl-common libgnustep-base-dev r-base-core yosys)
missing=()
for p in "${pkgs[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
SUDO=
[ "$(id -u)" -ne 0 ] && SUDO=sudo
echo "agreement: installing ${missing[*]}"
$SUDO apt-get update -q >/dev/null &&
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}" >/dev/null ||
    echo "agreement: could not install ${missing[*]}; their rows measure fewer files" >&2
exit 0
