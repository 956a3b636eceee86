#!/usr/bin/env bash
# scripts/demo --windows: makes the demo drive with scripts/make-drive and runs KIVOLA.exe under
# Wine, on the desktop when there is one, else on a virtual X server for a screenshot.
# Usage: scripts/lib/demo-windows.sh DRIVE-FOLDER
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
drive=$1
. scripts/lib/deps.sh

headless=0
[ -n "${DISPLAY:-}" ] || headless=1
packages=("${KIVOLA_WINDOWS_PACKAGES[@]}")
if [ "$headless" -eq 1 ]; then
  packages+=(xvfb xauth imagemagick xdotool)
fi
kivola_need_packages "${packages[@]}"

# Both editions at the drive's root, beside the application folders.
scripts/make-drive "$drive"
scripts/make-demo-drive.sh "$drive"
drive=$(cd "$drive" && pwd)

# Wine's x11 driver draws the windows; the prefix is the build's own (scripts/wine/run).
export KIVOLA_WINE_GRAPHICS=x11
prefix=$root/build/windows/wine-prefix
cd "$drive"
if [ "$headless" -eq 0 ]; then
  echo "Starting $drive/KIVOLA.exe under Wine"
  exec "$root/scripts/wine/run" --prefix="$prefix" ./KIVOLA.exe
fi

shot=$root/build/demo-screenshot-windows.png
mkdir -p "$(dirname "$shot")"
echo "No desktop here: running KIVOLA.exe on a virtual screen for a screenshot ..."
# -noreset: the server keeps its state when Wine's helper processes come and go.
xvfb-run -a -s "-noreset -screen 0 1024x768x24" bash -c '
  root=$1 prefix=$2 shot=$3
  "$root/scripts/wine/run" --prefix="$prefix" ./KIVOLA.exe &
  pid=$!
  # The first run under this display also makes the Wine prefix; wait for the window.
  for _ in $(seq 1 120); do
    if xdotool search --name "^KIVOLA$" >/dev/null 2>&1; then
      break
    fi
    sleep 0.5
  done
  sleep 2
  import -window root "$shot"
  # WM_CLOSE ends KIVOLA the orderly way: notes are saved first.
  "$root/scripts/wine/run" --prefix="$prefix" taskkill.exe /im KIVOLA.exe >/dev/null 2>&1 || true
  wait "$pid" || true
  "$root/scripts/wine/stop" --prefix="$prefix"
' screenshot "$root" "$prefix" "$shot"
echo "Screenshot of the launcher and its notes: $shot"
echo "The demo drive stays in $drive; run KIVOLA.exe from there on Windows."
