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

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
if [ "$(id -u)" -ne 0 ] || ! unshare -m true 2>/dev/null; then
  echo "A private mount namespace needs root: skipped."
  exit 77
fi

rm -rf "$work"
mkdir -p "$work"
drive=$work/drive

# The user's drive: two applications with one-colour icons, a note, a file of their own.
# Each application says it ran in a file beside itself.
user_app() {  # user_app NAME COLOUR
  mkdir -p "$drive/$1"
  printf '#!/bin/sh\necho started >"$(dirname "$0")/started"\n' >"$drive/$1/run.sh"
  chmod +x "$drive/$1/run.sh"
  printf 'run.sh' >"$drive/$1/kivolaapp.ini"
  convert -size 48x48 "xc:#$2" "$drive/$1/appicon.gif"
}
user_app Alpha FF00FF
user_app Beta 00FFFF
mkdir -p "$drive/Notes"
printf 'Keep this\r\nline two\r\n' >"$drive/Notes/Keep.txt"
echo "mine" >"$drive/mine.txt"
user_sums() {
  (cd "$drive" && find Alpha Beta Notes mine.txt -type f -print0 | sort -z | xargs -0 sha256sum)
}
before=$(user_sums)

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
  [ -s "$drive/.kivola/lib/$lib" ] || fail "$lib is not on the drive"
done <"$carried"

echo "=== make-drive again: an update"
touch "$drive/.kivola/lib/libleftover.so.1"
# FAT refuses most permission and owner changes, so making a drive must make none on it. (This
# machine's kernel may have no FAT to try it on; the calls are watched instead.)
strace -f -qq -o "$work/update.strace" \
  -e trace=chmod,fchmodat,chown,lchown,fchownat,setxattr,lsetxattr \
  "$root/scripts/make-drive" "$drive"
if grep -F "\"$drive" "$work/update.strace"; then
  fail "make-drive changed permissions or owners on the drive"
fi
[ ! -e "$drive/.kivola/lib/libleftover.so.1" ] || fail "the update left an old library behind"
[ "$(user_sums)" = "$before" ] || fail "the update changed the user's applications or notes"
[ -s "$drive/.kivola/plugins/platforms/libqxcb.so" ] || fail "the update lost the xcb plugin"

# A virtual X server of the test's own.
display=""
for n in $(seq 130 160); do
  if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
    display=:$n
    break
  fi
done
[ -n "$display" ] || fail "no free X display"
Xvfb "$display" -noreset -nolisten tcp -screen 0 1024x768x24 </dev/null >"$work/xvfb.log" 2>&1 &
xvfb=$!
kivola_pid=""
weston_pid=""
cleanup() {
  [ -n "$kivola_pid" ] && kill "$kivola_pid" 2>/dev/null || true
  [ -n "$weston_pid" ] && kill "$weston_pid" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
for _ in $(seq 1 100); do
  [ -e "/tmp/.X11-unix/X${display#:}" ] && break
  sleep 0.1
done
export DISPLAY=$display

# The system's copies of what the drive carries, and its Qt libraries and plugins.
qt_plugins=$(dirname "$(find /usr/lib -path '*/qt6/plugins/platforms/libqxcb.so' | head -n 1)")
qt_plugins=$(dirname "$qt_plugins")
[ -d "$qt_plugins" ] || fail "found no system Qt plugins to hide"
hidden=$work/hidden.txt
: >"$hidden"
while read -r lib; do
  for dir in /usr/lib/x86_64-linux-gnu /usr/lib /lib/x86_64-linux-gnu; do
    [ -e "$dir/$lib" ] && readlink -f "$dir/$lib" >>"$hidden"
  done
done <"$carried"
# And whatever the drive must carry though it might not: Qt's and its companions, which many
# desktops lack, so that a rule that took one for the system's would fail here.
find /usr/lib /lib -type f \( -name 'libQt6*.so*' -o -name 'libicu*.so*' \
  -o -name 'libdouble-conversion.so*' -o -name 'libpcre2-16.so*' -o -name 'libmd4c.so*' \
  -o -name 'libb2.so*' -o -name 'libxcb-icccm.so*' -o -name 'libxcb-image.so*' \
  -o -name 'libxcb-keysyms.so*' -o -name 'libxcb-render-util.so*' -o -name 'libxkbcommon*.so*' \) \
  2>/dev/null >>"$hidden" || true
sort -u -o "$hidden" "$hidden"
grep -q 'libQt6Core' "$hidden" || fail "found no system Qt Core to hide"
: >"$work/empty"
mkdir -p "$work/empty-dir"

# One mount call lays every empty file: mount needs some of these libraries itself (PCRE2), so
# from then on the namespace runs nothing but bash builtins and kivola.
fstab_path() { printf '%s' "$1" | sed 's/ /\\040/g'; }
{
  while read -r file; do
    echo "$(fstab_path "$work/empty") $(fstab_path "$file") none bind 0 0"
  done <"$hidden"
  echo "$(fstab_path "$work/empty-dir") $(fstab_path "$qt_plugins") none bind 0 0"
} >"$work/hide.fstab"

# start_hidden LOG NAME=VALUE...: starts kivola from the drive in a namespace where the system's
# Qt is hidden, with only the given display variables; sets kivola_pid (exec keeps the process
# id: it is kivola's once the namespace is set up). With start_command set to "sh kivola.sh",
# by the script that starts it where the drive lets nothing run.
start_command=./kivola
start_hidden() {
  local log=$1
  shift
  unshare -m --propagation private bash -c '
    set -e
    mount -a -T "$1"
    read -r first <"$2"
    shopt -s nullglob dotglob
    plugins=("$3"/*)
    if [ -s "$first" ] || [ ${#plugins[@]} -ne 0 ]; then
      echo "the system Qt is not hidden" >&2
      exit 3
    fi
    cd "$4"
    command=$5
    shift 5
    unset QT_PLUGIN_PATH QT_QPA_PLATFORM_PLUGIN_PATH QT_QPA_PLATFORM LD_LIBRARY_PATH \
      DISPLAY WAYLAND_DISPLAY
    export "$@"
    exec $command
  ' hide "$work/hide.fstab" "$hidden" "$qt_plugins" "$drive" "$start_command" "$@" >"$log" 2>&1 &
  kivola_pid=$!
}
# expect_from_drive FILE...: kivola has these files of the drive's loaded, and no Qt but the
# drive's.
expect_from_drive() {
  local maps file
  maps=$(awk '{ print $6 }' "/proc/$kivola_pid/maps" | sort -u)
  for file in "$@"; do
    echo "$maps" | grep -qxF "$drive/.kivola/$file" ||
      fail "kivola has not loaded the drive's $file"
  done
  if echo "$maps" | grep -v "^$drive/" | grep -E 'libQt6|/qt6/|libicu'; then
    fail "kivola loaded Qt from the system"
  fi
}
# stop_kivola LOG: SIGTERM ends kivola the orderly way.
stop_kivola() {
  local status=0
  kill "$kivola_pid"
  wait "$kivola_pid" || status=$?
  kivola_pid=""
  [ "$status" -eq 0 ] || { cat "$1" >&2; fail "kivola ended with status $status"; }
}

echo "=== kivola from the drive on X11, with $(wc -l <"$hidden") system libraries and" \
  "$qt_plugins hidden"
start_hidden "$work/kivola.log" "DISPLAY=$display"

# Searches ignore case: only visible windows count, or Qt's unmapped leader "kivola" would match.
window=""
for _ in $(seq 1 300); do
  kill -0 "$kivola_pid" 2>/dev/null || { cat "$work/kivola.log" >&2; fail "kivola ended"; }
  window=$(xdotool search --onlyvisible --name '^KIVOLA$' 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { cat "$work/kivola.log" >&2; fail "no KIVOLA window appeared"; }

expect_from_drive lib/libQt6Core.so.6 lib/libicuuc.so.72 plugins/platforms/libqxcb.so \
  plugins/imageformats/libqgif.so

# The grid: slot n's middle, from the window's corner (15 twips a pixel, Form1Layout).
eval "$(xdotool getwindowgeometry --shell "$window")"
slot_point() {  # slot_point N: "x y" on the screen
  local column=$((($1 - 1) % 4)) row=$((($1 - 1) / 4))
  echo "$((X + 60 + 64 * column)) $((Y + 92 + 64 * row))"
}
colour_at() {  # colour_at X Y: the screen's colour there, as RRGGBB
  import -window root -crop "1x1+$1+$2" +repage -depth 8 txt:- 2>/dev/null |
    grep -o '#[0-9A-F]\{6\}' | head -n 1 | tr -d '#'
}
shown=""
for _ in $(seq 1 100); do
  # shellcheck disable=SC2046
  shown="$(colour_at $(slot_point 1)) $(colour_at $(slot_point 2)) $(colour_at $(slot_point 3))"
  case "$shown" in
    "FF00FF 00FFFF "* | "00FFFF FF00FF "*) break ;;
  esac
  sleep 0.2
done
case "$shown" in
  "FF00FF 00FFFF "* | "00FFFF FF00FF "*) ;;
  *) fail "the first slots show $shown, not the drive's two icons" ;;
esac
third=${shown##* }
[ "$third" != FF00FF ] && [ "$third" != 00FFFF ] || fail "a third slot shows an icon: $shown"

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
start_hidden "$work/kivola-sh.log" "DISPLAY=$display"
window=""
for _ in $(seq 1 300); do
  kill -0 "$kivola_pid" 2>/dev/null || { cat "$work/kivola-sh.log" >&2; fail "kivola ended"; }
  window=$(xdotool search --onlyvisible --name '^KIVOLA$' 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { cat "$work/kivola-sh.log" >&2; fail "no KIVOLA window appeared"; }
expect_from_drive lib/libQt6Core.so.6 plugins/platforms/libqxcb.so
# The drive's applications show: kivola knows its folder though the loader is what runs.
eval "$(xdotool getwindowgeometry --shell "$window")"
first=""
for _ in $(seq 1 100); do
  # shellcheck disable=SC2046
  first=$(colour_at $(slot_point 1))
  [ "$first" = FF00FF ] || [ "$first" = 00FFFF ] && break
  sleep 0.2
done
[ "$first" = FF00FF ] || [ "$first" = 00FFFF ] || fail "started by kivola.sh, slot 1 shows $first"
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
start_hidden "$work/kivola-wayland.log" WAYLAND_DISPLAY=kivola-test \
  "XDG_RUNTIME_DIR=$XDG_RUNTIME_DIR" QT_QPA_PLATFORM=wayland
# The shell integration is loaded for the first window.
for _ in $(seq 1 300); do
  kill -0 "$kivola_pid" 2>/dev/null || { cat "$work/kivola-wayland.log" >&2; fail "kivola ended"; }
  grep -q "$drive/.kivola/plugins/wayland-shell-integration/libxdg-shell.so" \
    "/proc/$kivola_pid/maps" && break
  sleep 0.1
done
expect_from_drive lib/libQt6Core.so.6 lib/libQt6WaylandClient.so.6 \
  plugins/platforms/libqwayland-generic.so plugins/wayland-shell-integration/libxdg-shell.so
stop_kivola "$work/kivola-wayland.log"
echo "kivola ran from the drive without the system's Qt: $(wc -l <"$carried") libraries carried"
