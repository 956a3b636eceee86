#!/bin/sh
# Rebuilds KIVOLA's artwork: builds the drawer, runs it, and turns the sample application
# icons into GIF (the format the demo drive's application folders use). The results under
# generated/ are committed, so only someone changing the artwork needs to run this.
#
# Needs: CMake, Ninja, a C++20 compiler, Qt 6 (Gui) and ImageMagick's `convert`.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
build=${KIVOLA_ARTWORK_BUILD:-$root/build/assets}
out=$here/generated

if ! convert -version 2>/dev/null | grep -q ImageMagick; then
    echo "make-artwork.sh: ImageMagick's convert is needed for the GIF icons" >&2
    exit 1
fi

cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build"

rm -rf "$build/work"
QT_QPA_PLATFORM=offscreen "$build/kivola-artwork" "$out" "$build/work"

# GIF has only on/off transparency, so the icons are flattened onto the white of the grid
# panel they are shown on: their soft edges and shadows stay smooth there.
mkdir -p "$out/demo-icons"
rm -f "$out/demo-icons/"*.gif
for png in "$build/work/demo-icons/"*.png; do
    name=$(basename "$png" .png)
    convert "$png" -background white -alpha remove -alpha off -dither None -colors 256 \
        -strip "$out/demo-icons/$name.gif"
done

echo "artwork written to $out; previews in $build/work"
