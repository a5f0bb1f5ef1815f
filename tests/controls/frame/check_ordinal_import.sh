#!/bin/sh
# Lumatype.exe must bind to Tessella.dll by ordinal 2 alone, never by name.
# The ordinal flag is the top bit of a 32-bit (i686) or 64-bit (x86_64) entry.
objdump=$1
exe=$2
imports=$("$objdump" -p "$exe" | awk '/DLL Name:/ { dll = $3 } dll == "Tessella.dll" && /^\t[0-9a-f]+\t/ { print }')
echo "Tessella.dll imports of $exe:"
echo "$imports"
[ "$(echo "$imports" | grep -c .)" -eq 1 ] || { echo "expected exactly one import"; exit 1; }
echo "$imports" | grep -Eq '^\s*(80000002|8000000000000002)\s+0*2\s+<none>' || { echo "expected ordinal 2 without a name"; exit 1; }
echo "ordinal import ok"
