#!/bin/sh
# Regenerates the reference pixel fixtures from the platform's own region calls, run under Wine
# (needs Debian's wine and g++-mingw-w64-x86-64; on Windows run gdi_pixels.exe directly).
# Usage: tests/shaping/reference/regenerate.sh
set -eu
here=$(cd "$(dirname "$0")" && pwd)
fixtures="$here/../fixtures"
work=$(mktemp -d /tmp/gdi_pixels.XXXXXX)
trap 'rm -rf "$work"' EXIT

x86_64-w64-mingw32-gcc -O2 -Wall -o "$work/gdi_pixels.exe" "$here/gdi_pixels.c" -lgdi32
export WINEPREFIX="$work/prefix" WINEDEBUG=-all
wine=$(command -v wine64 || command -v wine)
version=$("$wine" --version 2>/dev/null | head -n 1)

for kind in rect ellipse roundrect polygon; do
    {
        echo "# PtInRegion of $kind regions, from gdi_pixels.c under $version"
        "$wine" "$work/gdi_pixels.exe" "$kind" 2>/dev/null | tr -d '\r'
    } > "$fixtures/$kind.txt"
    echo "$fixtures/$kind.txt: $(grep -c '^area' "$fixtures/$kind.txt") cases"
done
