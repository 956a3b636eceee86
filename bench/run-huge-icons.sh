#!/usr/bin/env bash
# Start-up with pictures that claim to be huge: 20 applications whose appicon.gif is a 35-byte
# GIF header claiming 5000 x 5000 pixels, against the same drive with the usual 48 x 48 icons,
# both measured in this run: time until the first scan has filled the grid, and peak memory.
#
# Usage: bench/run-huge-icons.sh [RUNS=15]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-15}
build=build/qt-bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKIVOLA_BUILD_TESTS=OFF \
    -DKIVOLA_BUILD_QT=ON -DKIVOLA_BUILD_BENCH=ON >/dev/null
cmake --build "$build" -j2 --target kivola_startup_probe kivola_startup_runner

usual=$(mktemp -d "${TMPDIR:-/tmp}/kivola-icons-XXXXXX")
huge=$(mktemp -d "${TMPDIR:-/tmp}/kivola-huge-icons-XXXXXX")
trap 'rm -rf "$usual" "$huge"' EXIT
scripts/make-demo-drive.sh "$usual" 20 0 >/dev/null
cp -r "$usual/." "$huge/"
# A 1 x 1 image on a 5000 x 5000 screen: 35 bytes that would be 100 MB at 32 bits a pixel.
printf 'GIF89a\x88\x13\x88\x13\x80\0\0\0\0\0\xff\xff\xff\x2c\0\0\0\0\x01\0\x01\0\0\x02\x02\x44\x01\0\x3b' \
  >"$huge/liar.gif"
find "$huge" -mindepth 2 -maxdepth 2 -name appicon.gif -exec cp "$huge/liar.gif" {} \;
for drive in "$usual" "$huge"; do
  cp "$build/bench/ui/kivola_startup_probe" "$drive/"
done
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

echo "Platform $QT_QPA_PLATFORM, $runs runs each, 20 applications on each drive"
# Each drive is measured by its own runs of the probe, started in the drive's folder.
usual_line=$("$build/bench/ui/kivola_startup_runner" "$runs" "$usual" "$usual/kivola_startup_probe")
huge_line=$("$build/bench/ui/kivola_startup_runner" "$runs" "$huge" "$huge/kivola_startup_probe")
printf '%s\n%s\n' "$usual_line" "$huge_line" | awk '
  NR == 1 { um = $1; uf = $2; ur = $3 }
  NR == 2 { hm = $1; hf = $2; hr = $3 }
  END {
    printf "%-32s %10s %10s %12s\n", "", "median ms", "fastest ms", "peak RSS MB"
    printf "%-32s %10.1f %10.1f %12.1f\n", "usual 48 x 48 icons", um, uf, ur / 1024
    printf "%-32s %10.1f %10.1f %12.1f\n", "20 headers claiming 5000 x 5000", hm, hf, hr / 1024
    printf "time ratio %.2fx; memory %+.1f MB (goal: under 100 MB in all)\n", hm / um, (hr - ur) / 1024
  }'
