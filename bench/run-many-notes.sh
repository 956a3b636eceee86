#!/usr/bin/env bash
# Start-up with many notes: the same drive (100 applications) with no notes and with 2,000
# one-line notes, both measured in this run: time from process start until the first scan has
# filled the grid (every note window is open by then), and peak memory; the difference is what
# the notes cost, given per note window. The floor, measured in the same run, is as many empty
# note-shaped windows shown by a bare Qt program: what the toolkit and the display cost alone.
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
cmake --build "$build" -j2 --target kivola_startup_probe kivola_bare_note_windows

empty=$(mktemp -d "${TMPDIR:-/tmp}/kivola-no-notes-XXXXXX")
full=$(mktemp -d "${TMPDIR:-/tmp}/kivola-many-notes-XXXXXX")
work=$(mktemp -d "${TMPDIR:-/tmp}/kivola-notes-runs-XXXXXX")
trap 'rm -rf "$empty" "$full" "$work"' EXIT
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

run_drive() {  # run_drive DRIVE [PROGRAM ARGS...]: median answer ms, median exit ms, peak kB
  local drive=$1 i grid start end
  shift
  local program=("$@")
  [ ${#program[@]} -gt 0 ] || program=(./kivola_startup_probe)
  for ((i = 0; i <= runs; i++)); do
    local log=$work/run
    start=$(date +%s%N)
    (cd "$drive" && /usr/bin/time -o "$log.time" -f '%M' "${program[@]}" >"$log" 2>/dev/null)
    end=$(date +%s%N)
    # The first run only warms the file cache.
    if [ "$i" -gt 0 ]; then
      grid=$(sed -n 's/.*\(grid filled\|answering\) \([0-9]*\) ms.*/\2/p' "$log")
      echo "$grid $(((end - start) / 1000000)) $(cat "$log.time")"
    fi
    rm -f "$log" "$log.time"
  done >"$work/runs.txt"
  median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
  echo "$(cut -d' ' -f1 "$work/runs.txt" | median) $(cut -d' ' -f2 "$work/runs.txt" | median)" \
    "$(cut -d' ' -f3 "$work/runs.txt" | sort -n | tail -1)"
}

echo "Platform $QT_QPA_PLATFORM, $runs runs each, 100 applications on each drive"
empty_line=$(run_drive "$empty")
full_line=$(run_drive "$full")
floor_line=$(run_drive "$empty" "$PWD/$build/bench/ui/kivola_bare_note_windows" "$notes")
printf '%s\n%s\n%s\n' "$empty_line" "$full_line" "$floor_line" | awk -v notes="$notes" '
  NR == 1 { eg = $1; ee = $2; er = $3 }
  NR == 2 { fg = $1; fe = $2; fr = $3 }
  NR == 3 { bg = $1; be = $2; br = $3 }
  END {
    printf "%-22s %16s %18s %12s\n", "", "answering ms", "process gone ms", "peak RSS MB"
    printf "%-22s %16.0f %18.0f %12.1f\n", "KIVOLA, no notes", eg, ee, er / 1024
    printf "%-22s %16.0f %18.0f %12.1f\n", "KIVOLA, " notes " notes", fg, fe, fr / 1024
    printf "%-22s %16.0f %18.0f %12.1f\n", "floor: " notes " windows", bg, be, br / 1024
    printf "per note window: %.3f ms until the launcher answers, %.0f KB (goal: %d notes " \
           "answering in under 2 s, under 300 MB)\n", (fg - eg) / notes, (fr - er) / notes, notes
    printf "KIVOLA with %d notes against the floor of as many bare windows: %.2fx the time\n",
           notes, fg / bg
  }'
