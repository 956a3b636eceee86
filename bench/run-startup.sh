#!/usr/bin/env bash
# Start-up of KIVOLA against a minimal Qt Widgets program, both measured in this run: the time
# from process start until the first scan has filled the grid (a drive with 100 applications
# and 20 notes), and the peak resident memory.
#
# Usage: bench/run-startup.sh [RUNS=15]
# The windows go to Qt's offscreen platform unless QT_QPA_PLATFORM says otherwise (xcb under
# xvfb-run measures the X11 path).
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-15}
build=build/qt-bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKIVOLA_BUILD_TESTS=OFF \
    -DKIVOLA_BUILD_QT=ON -DKIVOLA_BUILD_BENCH=ON >/dev/null
cmake --build "$build" -j2 --target kivola_startup_probe kivola_minimal_window kivola_startup_runner

drive=$(mktemp -d "${TMPDIR:-/tmp}/kivola-startup-XXXXXX")
trap 'rm -rf "$drive"' EXIT
scripts/make-demo-drive.sh "$drive" 100 20 >/dev/null
# The probe looks for applications and notes beside itself, as kivola does on a drive.
cp "$build/bench/ui/kivola_startup_probe" "$drive/"
minimal=$PWD/$build/bench/ui/kivola_minimal_window
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

echo "Platform $QT_QPA_PLATFORM, $runs runs each, drive with 100 applications and 20 notes"
echo "KIVOLA itself says: $(cd "$drive" && ./kivola_startup_probe 2>/dev/null)"
"$build/bench/ui/kivola_startup_runner" "$runs" "$drive" "$minimal" "$drive/kivola_startup_probe" |
  awk '
    NR == 1 { bm = $1; bf = $2; br = $3 }
    NR == 2 { km = $1; kf = $2; kr = $3 }
    END {
      printf "%-28s %10s %10s %12s\n", "", "median ms", "fastest ms", "peak RSS MB"
      printf "%-28s %10.1f %10.1f %12.1f\n", "minimal Qt window", bm, bf, br / 1024
      printf "%-28s %10.1f %10.1f %12.1f\n", "kivola (grid filled)", km, kf, kr / 1024
      printf "time ratio %.2fx (goal <= 1.5x); without the 100 ms that Timer1 waits by design %.2fx\n",
             km / bm, (km - 100) / bm
      printf "memory %+.1f MB over the minimal window (goal <= 15 MB)\n", (kr - br) / 1024
    }'
