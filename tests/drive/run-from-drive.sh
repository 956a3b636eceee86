#!/usr/bin/env bash
# Makes a drive with scripts/make-drive over a user's applications and notes, makes it again
# (an update), and starts `kivola` from it with the machine's Qt hidden: in a private mount
# namespace, empty files lie over the system's copies of every library the drive carries and an
# empty folder over Qt's plugins. The launcher must open on a virtual X server with the drive's
# application icons in its grid, and a click on one must start that application; on a headless
# Wayland compositor it must open its window through the drive's Wayland plugin.
#
# Usage: run-from-drive.sh SOURCE-ROOT WORK-FOLDER   (as root; exits 77 when it cannot be)
set -euo pipefail
root=$1
work=$2
# shellcheck source=tests/drive/hidden-qt.sh
. "$root/tests/drive/hidden-qt.sh"
. "$root/scripts/lib/version.sh"
support=.kivola/$(kivola_version "$root")

if [ "$(id -u)" -ne 0 ] || ! unshare -m true 2>/dev/null; then
  echo "A private mount namespace needs root: skipped."
  exit 77
fi

rm -rf "$work"
mkdir -p "$work"
drive=$work/drive

# The user's drive: two applications with one-colour icons, a note, a file of their own.
user_files "$drive"
echo "mine" >"$drive/mine.txt"
before=$(user_sums "$drive" mine.txt)

echo "=== make-drive, first time"
"$root/scripts/make-drive" "$drive"
# Nothing but the programs and the hidden support folder joins the user's files at the root.
listing=$(cd "$drive" && ls -A | sort | tr '\n' ' ')
[ "$listing" = ".kivola Alpha Beta KIVOLA.exe Notes kivola kivola.sh mine.txt " ] ||
  fail "the drive's root holds: $listing"
[ "$(head -c 2 "$drive/KIVOLA.exe")" = MZ ] || fail "KIVOLA.exe is no Windows program"
[ -x "$drive/kivola" ] || fail "kivola is not executable"
carried=$root/build/release/src/ui/qt/carried-libraries.txt
while read -r lib; do
  [ -s "$drive/$support/lib/$lib" ] || fail "$lib is not on the drive"
done <"$carried"

echo "=== make-drive again: an update"
touch "$drive/$support/lib/libleftover.so.1"
# FAT refuses most permission and owner changes, so making a drive must make none on it. (This
# machine's kernel may have no FAT to try it on; the calls are watched instead.)
strace -f -qq -o "$work/update.strace" \
  -e trace=chmod,fchmodat,chown,lchown,fchownat,setxattr,lsetxattr \
  "$root/scripts/make-drive" "$drive"
if grep -F "\"$drive" "$work/update.strace"; then
  fail "make-drive changed permissions or owners on the drive"
fi
[ ! -e "$drive/$support/lib/libleftover.so.1" ] || fail "the update left an old library behind"
[ "$(user_sums "$drive" mine.txt)" = "$before" ] || fail "the update changed the user's applications or notes"
[ -s "$drive/$support/plugins/platforms/libqxcb.so" ] || fail "the update lost the xcb plugin"

kivola_pid=""
weston_pid=""
x_server_pid=""
cleanup() {
  [ -n "$kivola_pid" ] && kill "$kivola_pid" 2>/dev/null || true
  [ -n "$weston_pid" ] && kill "$weston_pid" 2>/dev/null || true
  [ -n "$x_server_pid" ] && kill "$x_server_pid" 2>/dev/null || true
}
trap cleanup EXIT
start_x_server "$work/xvfb.log"
hide_system_qt "$work" "$carried"

echo "=== kivola from the drive on X11, with $(wc -l <"$hidden") system libraries and" \
  "$qt_plugins hidden"
start_hidden "$drive" "$support" "$work/kivola.log" "DISPLAY=$DISPLAY"
wait_for_launcher "$kivola_pid" "$work/kivola.log"
expect_icons FF00FF 00FFFF
# The GIF reader is loaded for the first GIF icon.
expect_from_drive lib/libQt6Core.so.6 lib/libicuuc.so.72 plugins/platforms/libqxcb.so \
  plugins/imageformats/libqgif.so

# A click on Alpha's icon starts Alpha, from the drive.
if [ "${shown%% *}" = FF00FF ]; then alpha_slot=1; else alpha_slot=2; fi
# shellcheck disable=SC2046
xdotool mousemove $(slot_point "$alpha_slot") click 1
for _ in $(seq 1 100); do
  [ -e "$drive/Alpha/started" ] && break
  sleep 0.1
done
[ -e "$drive/Alpha/started" ] || fail "a click on Alpha's icon did not start it"
[ ! -e "$drive/Beta/started" ] || fail "a click on Alpha's icon started Beta"

stop_kivola "$work/kivola.log"

echo "=== kivola without its exec bit, started by sh kivola.sh through the system's loader"
chmod a-x "$drive/kivola"
start_command="sh kivola.sh"
start_hidden "$drive" "$support" "$work/kivola-sh.log" "DISPLAY=$DISPLAY"
wait_for_launcher "$kivola_pid" "$work/kivola-sh.log"
expect_from_drive lib/libQt6Core.so.6 plugins/platforms/libqxcb.so
# The drive's applications show: kivola knows its folder though the loader is what runs.
expect_icons FF00FF 00FFFF
stop_kivola "$work/kivola-sh.log"
chmod a+x "$drive/kivola"
start_command=./kivola

echo "=== kivola from the drive on Wayland (a headless compositor), the system's Qt hidden"
export XDG_RUNTIME_DIR=$work/runtime
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
weston --backend=headless-backend.so --socket=kivola-test --idle-time=0 </dev/null \
  >"$work/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 1 100); do
  [ -e "$XDG_RUNTIME_DIR/kivola-test" ] && break
  sleep 0.1
done
if [ ! -e "$XDG_RUNTIME_DIR/kivola-test" ]; then
  cat "$work/weston.log" >&2
  fail "no Wayland compositor"
fi
start_hidden "$drive" "$support" "$work/kivola-wayland.log" WAYLAND_DISPLAY=kivola-test \
  "XDG_RUNTIME_DIR=$XDG_RUNTIME_DIR" QT_QPA_PLATFORM=wayland
# The shell integration is loaded for the first window.
for _ in $(seq 1 300); do
  kill -0 "$kivola_pid" 2>/dev/null || { cat "$work/kivola-wayland.log" >&2; fail "kivola ended"; }
  grep -q "$drive/$support/plugins/wayland-shell-integration/libxdg-shell.so" \
    "/proc/$kivola_pid/maps" && break
  sleep 0.1
done
expect_from_drive lib/libQt6Core.so.6 lib/libQt6WaylandClient.so.6 \
  plugins/platforms/libqwayland-generic.so plugins/wayland-shell-integration/libxdg-shell.so
stop_kivola "$work/kivola-wayland.log"
echo "kivola ran from the drive without the system's Qt: $(wc -l <"$carried") libraries carried"
