#!/bin/bash
# Unpacks a release archive into an empty folder and runs its lumatype-cli.exe
# under Wine, as a user would, on every sample of the command-line corpus:
# the HTML must equal the native command line's byte for byte, and the
# program must report the version the archive is named after.
#   check-dist.sh <archive.zip> <native lumatype-cli> <wine prefix to use>
set -euo pipefail
archive=$(realpath "$1")
native_cli=$(realpath "$2")
prefix=$(realpath -m "$3")
root=$(cd "$(dirname "$0")/.." && pwd)
name=$(basename "$archive" .zip)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

(cd "$work" && cmake -E tar xf "$archive")
folder=$work/$name
for entry in Lumatype.exe Tessella.dll lumatype-cli.exe Lumatype.ini README.txt languages themes; do
    [ -e "$folder/$entry" ] || { echo "check-dist: $name lacks $entry" >&2; exit 1; }
done
wine_cli() { LUMATYPE_WINEPREFIX=$prefix "$root/cmake/wine-run.sh" "$folder/lumatype-cli.exe" "$@"; }

version=$(wine_cli --version | tr -d '\r')
[[ $name == "lumatype-${version#lumatype-cli }-"* ]] \
    || { echo "check-dist: $name, but its lumatype-cli says '$version'" >&2; exit 1; }

checked=0
cd "$root/tests/cli/corpus"
for sample in *; do
    wine_cli "$sample" >"$work/wine.html"
    "$native_cli" --config "$folder/Lumatype.ini" "$sample" >"$work/native.html"
    cmp -s "$work/wine.html" "$work/native.html" \
        || { echo "check-dist: $name: $sample converts differently under Wine" >&2; exit 1; }
    checked=$((checked + 1))
done
echo "check-dist: $name unpacked; its lumatype-cli.exe matches the native one on $checked samples"
