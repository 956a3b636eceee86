#!/usr/bin/env bash
# Start-up with many notes: the same drive (100 applications) with no notes and with 2,000
# one-line notes, both measured in this run: time from process start until the first scan has
# filled the grid (every note window is open by then), and peak memory; the difference is what
# the notes cost, given per note window.
#
# Usage: bench/run-many-notes.sh [NOTES=2000] [RUNS=5]
# The windows go to Qt's offscreen platform unless QT_QPA_PLATFORM says otherwise (xcb under
# xvfb-run measures the X11 path).
set -euo pipefail
cd "$(dirname "$0")/.."
notes=${1:-2000}
runs=${2:-5}
build=build/qt-bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKIVOLA_BUILD_TESTS=OFF \
    -DKIVOLA_BUILD_QT=ON -DKIVOLA_BUILD_BENCH=ON >/dev/null
cmake --build "$build" -j2 --target kivola_startup_probe kivola_startup_runner

empty=$(mktemp -d "${TMPDIR:-/tmp}/kivola-no-notes-XXXXXX")
full=$(mktemp -d "${TMPDIR:-/tmp}/kivola-many-notes-XXXXXX")
trap 'rm -rf "$empty" "$full"' EXIT
scripts/make-demo-drive.sh "$empty" 100 0 >/dev/null
cp -r "$empty/." "$full/"
mkdir -p "$full/Notes"
for ((i = 0; i < notes; i++)); do
  printf 'note %04d\r\n' "$i" >"$full/Notes/n$(printf '%04d' "$i").txt"
done
for drive in "$empty" "$full"; do
  cp "$build/bench/ui/kivola_startup_probe" "$drive/"
done
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

echo "Platform $QT_QPA_PLATFORM, $runs runs each, 100 applications on each drive"
echo "KIVOLA itself says: $(cd "$full" && ./kivola_startup_probe 2>/dev/null)"
empty_line=$("$build/bench/ui/kivola_startup_runner" "$runs" "$empty" "$empty/kivola_startup_probe")
full_line=$("$build/bench/ui/kivola_startup_runner" "$runs" "$full" "$full/kivola_startup_probe")
printf '%s\n%s\n' "$empty_line" "$full_line" | awk -v notes="$notes" '
  NR == 1 { em = $1; ef = $2; er = $3 }
  NR == 2 { fm = $1; ff = $2; fr = $3 }
  END {
    printf "%-28s %10s %10s %12s\n", "", "median ms", "fastest ms", "peak RSS MB"
    printf "%-28s %10.1f %10.1f %12.1f\n", "no notes", em, ef, er / 1024
    printf "%-28s %10.1f %10.1f %12.1f\n", notes " notes", fm, ff, fr / 1024
    printf "per note window: %.3f ms, %.0f KB (goal: 2,000 notes answering in under 2 s, under 300 MB)\n",
           (fm - em) / notes, (fr - er) / notes
  }'
