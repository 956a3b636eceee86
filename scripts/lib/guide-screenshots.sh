#!/usr/bin/env bash
# Takes the user guide's screenshots (docs/guide/) from real runs of both editions on a demo
# drive, each on a virtual X server: the launcher with its notes, the first message of the add
# picture, the open dialog, and the question of a note's delete cross.
#
# Usage: scripts/lib/guide-screenshots.sh [PRESET]   (the Linux build, default dev)
# Needs the Linux build of PRESET and build/windows (KIVOLA.exe) built already.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
preset=${1:-dev}
out=$root/docs/guide
# The drives are called STICK, as the dialogs show them.
work=${TMPDIR:-/tmp}/kivola-guide
rm -rf "$work"
mkdir -p "$out" "$work"

# Points on the 1024 x 768 screen where the windows open on it: the add picture of the
# launcher, and the delete cross of the upper note.
add_x=648 add_y=560
cross_x=256 cross_y=34

# shoot NAME X Y W H: the part of the screen that shows what is asked about, made small.
shoot() {
  import -window root -crop "$4x$5+$2+$3" +repage -strip -colors 96 "$out/$1.png"
}

cat >"$work/shots.sh" <<'SHOTS'
set -euo pipefail
start="$1" edition="$2" add_x="$3" add_y="$4" cross_x="$5" cross_y="$6"
. "$7"
"$start" &
pid=$!
for _ in $(seq 1 120); do
  xdotool search --name '^KIVOLA$' >/dev/null 2>&1 && break
  sleep 0.5
done
sleep 3
shoot "launcher-$edition" 0 0 700 630
# The add picture: its first message, then the open dialog.
xdotool mousemove "$add_x" "$add_y" click 1
sleep 2
shoot "add-message-$edition" 230 280 560 160
xdotool key Return
sleep 2
shoot "add-dialog-$edition" 180 130 740 430
xdotool key Escape
sleep 1
# The delete cross of the upper note: the question, answered No.
xdotool mousemove "$cross_x" "$cross_y" click 1
sleep 2
shoot "delete-question-$edition" 230 280 560 160
xdotool key n
sleep 1
kill -TERM "$pid" 2>/dev/null || true
wait "$pid" || true
SHOTS
declare -f shoot >"$work/shoot.sh"
echo "out=$out" >>"$work/shoot.sh"

# Linux: the program at the drive's root, started from there.
linux_drive=$work/linux/STICK
cmake --install "build/$preset" --prefix "$linux_drive" >/dev/null
scripts/make-demo-drive.sh "$linux_drive" >/dev/null
(
  cd "$linux_drive"
  ASAN_OPTIONS=detect_leaks=0 xvfb-run -a -s "-screen 0 1024x768x24" \
    bash "$work/shots.sh" ./kivola linux "$add_x" "$add_y" "$cross_x" "$cross_y" "$work/shoot.sh"
)

# Windows: KIVOLA.exe under Wine's X11 driver.
windows_drive=$work/windows/STICK
cmake --install build/windows --prefix "$windows_drive" >/dev/null
scripts/make-demo-drive.sh "$windows_drive" >/dev/null
cat >"$work/start-windows.sh" <<EOF
#!/usr/bin/env bash
export KIVOLA_WINE_GRAPHICS=x11
exec "$root/scripts/wine/run" --prefix="$root/build/windows/wine-prefix" ./KIVOLA.exe
EOF
chmod +x "$work/start-windows.sh"
(
  cd "$windows_drive"
  xvfb-run -a -s "-noreset -screen 0 1024x768x24" bash -c '
    bash "$@"
    KIVOLA_WINE_GRAPHICS=x11 "'"$root"'/scripts/wine/stop" --prefix="'"$root"'/build/windows/wine-prefix"
  ' shots "$work/shots.sh" "$work/start-windows.sh" windows "$add_x" "$add_y" "$cross_x" \
    "$cross_y" "$work/shoot.sh"
)
rm -rf "$work"
ls -la "$out"
