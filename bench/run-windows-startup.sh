#!/usr/bin/env bash
# Start-up of KIVOLA.exe under Wine against a minimal Win32 program, both measured in this run:
# the time from process start until the first scan has filled the grid (a drive with 100
# applications and 20 notes), and the peak working set.
#
# Usage: bench/run-windows-startup.sh [RUNS=15]
# Environment:
#   KIVOLA_WINE_GRAPHICS  null (default: no X server needed) or x11 (needs DISPLAY, e.g. Xvfb
#                         started with -noreset); each driver gets a prefix of its own.
#
# Times run from the runner's CreateProcessW to the moment each program reports (painted, grid
# filled), so they include what Wine spends starting a process and loading its DLLs ("before
# entry"); "own" is what each program measured from its entry point, and "to the end" the wall
# time until the process had gone, tear-down included, which is shown but not compared.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-15}
build=build/windows-startup-bench
cmake --no-warn-unused-cli -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DKIVOLA_BUILD_TESTS=OFF \
  -DKIVOLA_BUILD_QT=OFF -DKIVOLA_BUILD_BENCH=ON >/dev/null
cmake --build "$build" -j2 --target kivola_startup_probe_win32 kivola_minimal_window_win32 \
  kivola_note_windows_floor_win32 kivola_startup_runner_win32
bin=$PWD/$build/bench/win32

graphics=${KIVOLA_WINE_GRAPHICS:-null}
case "$graphics" in
  null) export WINEPREFIX="$PWD/$build/wine-prefix" ;;
  x11)
    if [ -z "${DISPLAY:-}" ]; then
      echo "KIVOLA_WINE_GRAPHICS=x11 needs DISPLAY" >&2
      exit 2
    fi
    # Wine picks the driver when its desktop starts, so the two cannot share a prefix.
    export WINEPREFIX="$PWD/$build/wine-prefix-x11"
    ;;
  *)
    echo "KIVOLA_WINE_GRAPHICS must be null or x11" >&2
    exit 2
    ;;
esac
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LC_ALL=C.UTF-8
unset LANG LANGUAGE

# Wine's server and helpers outlive the program that starts them and would hold on to its
# output, so everything Wine starts here has its streams on /dev/null.
quiet() { "$@" </dev/null >/dev/null 2>&1; }
if [ ! -f "$WINEPREFIX/kivola-startup-prefix" ]; then
  echo "Making the Wine prefix $WINEPREFIX ..."
  rm -rf "$WINEPREFIX"
  quiet wineboot --init
  # A crash ends at once instead of waiting on a dialog; without a window manager each
  # DestroyWindow would otherwise wait about 2 s; the driver is the one asked for.
  quiet wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f
  quiet wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f
  quiet wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d "$graphics" /f
  if [ -f /usr/share/wine/fonts/marlett.ttf ]; then
    cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
  fi
  # The registry reaches the disk when the server ends.
  quiet wineserver -w
  if ! grep -q "\"Graphics\"=\"$graphics\"" "$WINEPREFIX/user.reg"; then
    echo "the registry settings did not reach $WINEPREFIX/user.reg" >&2
    exit 1
  fi
  touch "$WINEPREFIX/kivola-startup-prefix"
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/kivola-windows-startup-XXXXXX")
trap 'quiet wineserver -k || true; rm -rf "$work"' EXIT
drive=$work/drive
# The server stays 10 s after its last program; the services come up before the first run.
quiet wineserver -p10 || true
quiet wine cmd.exe /c exit 0

scripts/make-demo-drive.sh "$drive" 100 20 >/dev/null
# The probe looks for applications and notes beside itself, as KIVOLA.exe does on a drive.
cp "$bin/kivola_startup_probe_win32.exe" "$drive/"
windows_path() { printf 'Z:%s' "${1//\//\\}"; }  # Wine shows / as Z:

# The runner's streams are files: the desktop process that Wine starts for it keeps them open
# for a while after it ends.
figures=$work/figures.txt
errors=$work/errors.txt
echo "$(wine --version 2>/dev/null), graphics driver $graphics, $runs runs each," \
  "drive with 100 applications and 20 notes; load: $(cut -d' ' -f1-3 /proc/loadavg)"
if ! wine "$bin/kivola_startup_runner_win32.exe" "$runs" "$(windows_path "$drive")" \
  "$(windows_path "$bin/kivola_minimal_window_win32.exe")" \
  "$(windows_path "$bin/kivola_note_windows_floor_win32.exe")" \
  "$(windows_path "$drive/kivola_startup_probe_win32.exe")" </dev/null >"$figures" 2>"$errors"; then
  cat "$errors" >&2
  exit 1
fi
echo "KIVOLA itself says: $(sed -n 3p "$figures" | cut -d' ' -f7-)"
awk '
  NR == 1 { bm = $1; bf = $2; bk = $3; bb = $4; bo = $5; be = $6 }
  NR == 2 { wm = $1; wf = $2; wk = $3; wb = $4; wo = $5; we = $6 }
  NR == 3 { km = $1; kf = $2; kk = $3; kb = $4; ko = $5; ke = $6 }
  END {
    printf "%-26s %9s %9s %12s %8s %10s %8s\n", "", "median ms", "fastest", "before entry",
           "own ms", "to the end", "peak MB"
    printf "%-26s %9.1f %9.1f %12.1f %8.1f %10.1f %8.1f\n", "minimal window (painted)",
           bm, bf, bb, bo, be, bk / 1024
    printf "%-26s %9.1f %9.1f %12.1f %8.1f %10.1f %8.1f\n", "bare 20 notes + launcher", wm, wf,
           wb, wo, we, wk / 1024
    printf "%-26s %9.1f %9.1f %12.1f %8.1f %10.1f %8.1f\n", "KIVOLA.exe (grid filled)", km, kf,
           kb, ko, ke, kk / 1024
    printf "time ratio %.2fx (fastest %.2fx); without the 100 ms that Timer1 waits by design " \
           "%.2fx (fastest %.2fx; goal <= 1.3x)\n", km / bm, kf / bf, (km - 100) / bm, (kf - 100) / bf
    printf "against the bare windows of its start-up (the same 21 windows, no KIVOLA code): " \
           "%.2fx without the 100 ms (fastest %.2fx)\n", (km - 100) / wm, (kf - 100) / wf
    printf "memory %+.1f MB over the minimal window\n", (kk - bk) / 1024
  }' "$figures"
echo "load: $(cut -d' ' -f1-3 /proc/loadavg)"
