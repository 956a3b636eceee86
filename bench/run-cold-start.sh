#!/usr/bin/env bash
# Cold start from a USB 2.0 stick: a drive made by scripts/make-drive, read through a FUSE view
# that delays each read request as a stick does (about 1 ms plus 25 MB/s, one request at a
# time: bench/coldstart/SlowDrive.cpp), mounted afresh and its files evicted from the page cache
# before every start. Timed from exec until the program's window is mapped on a virtual X server,
# in turns in the same run:
#   kivola                the launcher (window "KIVOLA")
#   bare Qt window        bench/ui/MinimalWindow.cpp built as the drive edition, beside kivola,
#                         so it loads the same carried Qt libraries and plugins from the drive
#   KIVOLA.exe            under Wine, started from a drive letter mapped to the stick
#   bare Win32 popup      bench/win32/BareWindowsWin32.cpp (the minimal window), the same way
# The machine's own libraries, Wine's included, stay warm, as on a computer in use.
#
# Usage: bench/run-cold-start.sh [RUNS=7]   (as root: FUSE mounts and page-cache eviction)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-7}
if [ "$(id -u)" -ne 0 ] || [ ! -c /dev/fuse ]; then
  echo "bench/run-cold-start.sh needs root and /dev/fuse" >&2
  exit 2
fi
. scripts/lib/deps.sh
kivola_need_packages "${KIVOLA_BENCH_PACKAGES[@]}"

echo "=== Building"
cmake --preset bench >/dev/null
cmake --build --preset bench --target kivola_slow_drive kivola_shown_timer \
  kivola_minimal_window_drive
bench_bin=$PWD/build/bench/bench/coldstart
# The Win32 popup comes from the Windows benchmark build (bench/run-windows-startup.sh).
windows_build=build/windows-startup-bench
cmake --no-warn-unused-cli -S . -B "$windows_build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DKIVOLA_BUILD_TESTS=OFF -DKIVOLA_BUILD_QT=OFF \
  -DKIVOLA_BUILD_BENCH=ON >/dev/null
cmake --build "$windows_build" --target kivola_minimal_window_win32

work=$PWD/build/cold-start-bench
drive=$work/drive
stick=$work/stick
mkdir -p "$work" "$stick"
scripts/make-drive "$drive" >/dev/null
cp "$bench_bin/kivola_minimal_window_drive" "$drive/bare-qt-window"
cp "$windows_build/bench/win32/kivola_minimal_window_win32.exe" "$drive/bare-popup.exe"

# A virtual X server of our own, so that the only windows mapped are the programs'.
display=""
for n in $(seq 200 260); do
  if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
    display=:$n
    break
  fi
done
[ -n "$display" ] || { echo "no free X display" >&2; exit 1; }
Xvfb "$display" -noreset -nolisten tcp -screen 0 1024x768x24 </dev/null >/dev/null 2>&1 &
xvfb=$!
slow=""
unmount() {
  if [ -n "$slow" ]; then
    fusermount3 -u "$stick" 2>/dev/null || umount -l "$stick" 2>/dev/null || true
    wait "$slow" 2>/dev/null || true
    slow=""
  fi
}
cleanup() {
  scripts/wine/stop --prefix="$work/wine-prefix" || true
  unmount
  kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
for _ in $(seq 1 100); do
  [ -e "/tmp/.X11-unix/X${display#:}" ] && break
  sleep 0.05
done
export DISPLAY=$display
unset WAYLAND_DISPLAY QT_QPA_PLATFORM QT_PLUGIN_PATH LD_LIBRARY_PATH

# Wine with its X11 driver, in a prefix of this benchmark's made by the project's Wine runner,
# whose server and services stay up between the runs, as they would on a desktop in use; the
# stick as drive K:.
export KIVOLA_WINE_GRAPHICS=x11
scripts/wine/run --prefix="$work/wine-prefix" cmd.exe /c exit 0
. scripts/wine/common.sh
kivola_wine_select "$work/wine-prefix"
ln -sfn "$stick" "$WINEPREFIX/dosdevices/k:"

# plug: the stick as if just plugged in, nothing of it in any cache.
plug() {
  unmount
  vmtouch -q -e "$drive"
  "$bench_bin/kivola_slow_drive" "$drive" "$stick" -f </dev/null >/dev/null 2>&1 &
  slow=$!
  for _ in $(seq 1 100); do
    mountpoint -q "$stick" && return 0
    sleep 0.02
  done
  echo "the slow drive did not mount" >&2
  exit 1
}
# time_start NAME TITLE PROGRAM...: one cold start; appends its milliseconds to $work/NAME.
time_start() {
  local name=$1
  shift
  plug
  (cd "$stick" && "$bench_bin/kivola_shown_timer" "$@") >>"$work/$name.ms"
}
programs() {
  time_start kivola KIVOLA ./kivola
  time_start bare-qt "" ./bare-qt-window
  time_start kivola-exe KIVOLA wine 'K:\KIVOLA.exe'
  time_start bare-popup "" wine 'K:\bare-popup.exe'
}

echo "=== $runs cold starts each, in turns; load: $(cut -d' ' -f1-3 /proc/loadavg)"
# One round first, not counted: the machine's own libraries and Wine's get warm.
programs
rm -f "$work"/*.ms
for _ in $(seq 1 "$runs"); do
  programs
done
unmount

median() { sort -n "$work/$1.ms" | awk '{ v[NR] = $1 } END { m = int((NR + 1) / 2); if (NR % 2) print v[m]; else print (v[m] + v[m + 1]) / 2 }'; }
fastest() { sort -n "$work/$1.ms" | head -n 1; }
kivola=$(median kivola) bare_qt=$(median bare-qt) exe=$(median kivola-exe) popup=$(median bare-popup)
awk -v k="$kivola" -v q="$bare_qt" -v e="$exe" -v p="$popup" \
  -v kf="$(fastest kivola)" -v qf="$(fastest bare-qt)" -v ef="$(fastest kivola-exe)" \
  -v pf="$(fastest bare-popup)" 'BEGIN {
    printf "%-34s %10s %10s\n", "exec until the window is shown", "median ms", "fastest"
    printf "%-34s %10.1f %10.1f\n", "kivola", k, kf
    printf "%-34s %10.1f %10.1f\n", "bare Qt window, carried libraries", q, qf
    printf "%-34s %10.1f %10.1f\n", "KIVOLA.exe under Wine", e, ef
    printf "%-34s %10.1f %10.1f\n", "bare Win32 popup under Wine", p, pf
    printf "kivola / bare Qt window %.2fx; KIVOLA.exe / bare popup %.2fx; kivola / KIVOLA.exe %.2fx\n",
           k / q, e / p, k / e
  }'
echo "load: $(cut -d' ' -f1-3 /proc/loadavg)"
