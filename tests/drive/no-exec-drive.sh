#!/usr/bin/env bash
# A drive that lets no file run as a program, as Linux desktops mount FAT32 and exFAT sticks: an
# exFAT image mounted through FUSE with fmask=0111. kivola, copied onto it, must start by the
# documented `sh STICK/kivola.sh`, and a click on the icon of a #! script and on that of an ELF
# program, neither with its exec bit, must start both.
#
# Usage: no-exec-drive.sh SOURCE-ROOT KIVOLA WORK-FOLDER   (as root; exits 77 when it cannot
# mount the drive)
set -euo pipefail
root=$1
kivola=$2
work=$3

# shellcheck source=tests/drive/exfat-drive.sh
. "$root/tests/drive/exfat-drive.sh"
# shellcheck source=tests/drive/hidden-qt.sh
. "$root/tests/drive/hidden-qt.sh"
fail() {
  echo "FAIL: $*" >&2
  [ -s "$work/kivola.log" ] && tail -n 20 "$work/kivola.log" >&2
  exit 1
}

xvfb=""
kivola_pid=""
cleanup() {
  local status=$?
  if [ -n "$kivola_pid" ]; then
    kill "$kivola_pid" 2>/dev/null || true
    wait "$kivola_pid" 2>/dev/null || true
  fi
  [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
  exfat_stop
  exit "$status"
}
trap cleanup EXIT

# A run cut short may have left its drive mounted.
umount -l "$work/STICK" 2>/dev/null || true
rm -rf "$work"
mkdir -p "$work"
exfat_start "$work" "fmask=0111"
stick=$exfat_mount

cp "$kivola" "$stick/kivola"
cp "$root/src/ui/qt/drive/kivola.sh" "$stick/kivola.sh"
mkdir "$stick/Script" "$stick/Elf"
printf '#!/bin/sh\necho started >started\n' >"$stick/Script/run.sh"
printf 'run.sh' >"$stick/Script/kivolaapp.ini"
convert -size 48x48 xc:#FF00FF "$stick/Script/appicon.gif"
cp /usr/bin/touch "$stick/Elf/touch"
printf 'touch started' >"$stick/Elf/kivolaapp.ini"
convert -size 48x48 xc:#00FFFF "$stick/Elf/appicon.gif"
for file in kivola kivola.sh Script/run.sh Elf/touch; do
  [ ! -x "$stick/$file" ] || fail "$file may run as a program: the drive keeps exec bits"
done

start_x_server "$work/xvfb.log"
xvfb=$x_server_pid
unset QT_QPA_PLATFORM

echo "=== sh $stick/kivola.sh, from another folder"
(cd / && exec sh "$stick/kivola.sh") >"$work/kivola.log" 2>&1 &
kivola_pid=$!
window=""
for _ in $(seq 1 300); do
  kill -0 "$kivola_pid" 2>/dev/null || fail "kivola ended"
  window=$(xdotool search --onlyvisible --name '^KIVOLA$' 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || fail "no KIVOLA window appeared"

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
# The drive's two applications, scanned from the drive's root although started elsewhere.
shown=""
for _ in $(seq 1 100); do
  # shellcheck disable=SC2046
  shown="$(colour_at $(slot_point 1)) $(colour_at $(slot_point 2))"
  case "$shown" in
    "FF00FF 00FFFF" | "00FFFF FF00FF") break ;;
  esac
  sleep 0.2
done
case "$shown" in
  "FF00FF 00FFFF" | "00FFFF FF00FF") ;;
  *) fail "the first slots show $shown, not the drive's two icons" ;;
esac

echo "=== a click on each icon"
for slot in 1 2; do
  # shellcheck disable=SC2046
  xdotool mousemove $(slot_point "$slot") click 1
  sleep 0.3
done
for _ in $(seq 1 100); do
  [ -e "$stick/Script/started" ] && [ -e "$stick/Elf/started" ] && break
  sleep 0.1
done
[ -e "$stick/Script/started" ] || fail "the #! script without its exec bit did not start"
[ -e "$stick/Elf/started" ] || fail "the ELF program without its exec bit did not start"
echo "kivola, a script and an ELF program all started from a drive without exec bits"
