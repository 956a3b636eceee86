#!/usr/bin/env bash
# The Windows edition when its drive is pulled, under Wine: KIVOLA.exe started from a real exFAT
# drive (tests/drive/exfat-drive.sh) mapped as drive K:, a note typed into, saved by a pause in
# typing, typed into again and the drive pulled at once. Then a focus loss must say the note
# could not be saved, and a click on an application and a new note must leave the program
# running; with the drive back at the same letter what the pause saved is there and the next
# focus loss saves the rest, and the close picture ends the program with status 0.
#
# Usage: pull-drive-wine.sh SOURCE-ROOT KIVOLA.EXE APPLICATION.EXE WORK-FOLDER WINE-PREFIX
# (as root, with /dev/fuse and loop devices; exits 77 saying why when the machine has not got
# them). Uses the X server in DISPLAY when there is one, else starts its own.
set -euo pipefail
root=$1
exe=$2
application=$3
work=$4
prefix=$5

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
command -v xdotool >/dev/null || fail "xdotool is not installed"
rm -rf "$work"
mkdir -p "$work"

# shellcheck source=tests/drive/exfat-drive.sh
. "$root/tests/drive/exfat-drive.sh"
xvfb=""
kivola_pid=""
letter=""
cleanup() {
  [ -n "$kivola_pid" ] && kill -KILL "$kivola_pid" 2>/dev/null
  [ -n "$letter" ] && rm -f "$letter"
  if [ -n "$xvfb" ]; then
    KIVOLA_WINE_GRAPHICS=x11 "$root/scripts/wine/stop" --prefix="$prefix"
    kill "$xvfb" 2>/dev/null
  fi
  exfat_stop
}
trap cleanup EXIT
exfat_start "$work"
drive=$exfat_mount

# The drive: KIVOLA.exe at its root, as make-drive puts it, and one application (a program:
# a .cmd would start cmd.exe from C:, which a pulled drive cannot stop).
cp "$exe" "$drive/KIVOLA.exe"
mkdir -p "$drive/Alpha"
cp "$application" "$drive/Alpha/alpha.exe"
printf 'alpha.exe' >"$drive/Alpha/kivolaapp.ini"

if [ -z "${DISPLAY:-}" ]; then
  for n in $(seq 170 199); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
      Xvfb ":$n" -noreset -nolisten tcp -screen 0 1024x768x24 </dev/null >/dev/null 2>&1 &
      xvfb=$!
      export DISPLAY=:$n
      break
    fi
  done
  [ -n "$xvfb" ] || fail "no free X display"
  for _ in $(seq 1 100); do
    [ -e "/tmp/.X11-unix/X${DISPLAY#:}" ] && break
    sleep 0.05
  done
  # A Wine desktop left from another display would take the windows there.
  KIVOLA_WINE_GRAPHICS=x11 "$root/scripts/wine/stop" --prefix="$prefix"
fi
export KIVOLA_WINE_GRAPHICS=x11
wine_run() { "$root/scripts/wine/run" --prefix="$prefix" "$@"; }
wine_run cmd.exe /c exit 0 </dev/null >/dev/null 2>&1 || fail "Wine does not start"
# The drive letter, as Wine keeps them: a link in the prefix.
letter=$prefix-x11/dosdevices/k:
[ -d "$prefix-x11/dosdevices" ] || fail "no Wine prefix at $prefix-x11"
ln -sfn "$drive" "$letter"

# Started from the drive's root, as a double click on the drive does.
(cd "$drive" && exec "$root/scripts/wine/run" --prefix="$prefix" 'K:\KIVOLA.exe') \
  </dev/null >"$work/kivola.log" 2>&1 &
kivola_pid=$!

alive() {
  kill -0 "$kivola_pid" 2>/dev/null || { cat "$work/kivola.log" >&2; fail "KIVOLA.exe ended $*"; }
}
# visible TITLE: the ids of the visible windows so titled (any case), one a line.
visible() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null || true; }
# wait_window TITLE [KNOWN-IDS]: the first visible window so titled that is not one of those.
wait_window() {
  local id
  for _ in $(seq 1 150); do
    alive "while waiting for a window \"$1\""
    for id in $(visible "$1"); do
      case " ${2:-} " in *" $id "*) ;; *) echo "$id" && return 0 ;; esac
    done
    sleep 0.1
  done
  fail "no window \"$1\" appeared"
}
# click_in WINDOW X Y: a click at a point of the window, in pixels from its corner.
click_in() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
  xdotool mousemove $((X + $2)) $((Y + $3))
  sleep 0.3
  xdotool click 1
  sleep 0.5
}
# dismiss WINDOW: Enter on a message box, which must then go.
dismiss() {
  xdotool windowfocus --sync "$1" key Return 2>/dev/null || xdotool key Return
  for _ in $(seq 1 50); do
    xdotool getwindowname "$1" >/dev/null 2>&1 || return 0
    visible ".*" | grep -qx "$1" || return 0
    sleep 0.1
  done
  fail "the message box $1 did not go on Enter"
}

launcher=$(wait_window KIVOLA)
# Places in pixels, from Form1Layout's twips: "+ New KIVOLA", the first slot, the background
# above the grid, the close picture.
new_note() { click_in "$launcher" 76 395; }
first_slot() { click_in "$launcher" 60 92; }
background() { click_in "$launcher" 160 40; }
close_picture() { click_in "$launcher" 308 17; }

# in_note TEXT: whether a note file on the drive holds TEXT.
in_note() { grep -q -F "$1" "$drive"/Notes/*.txt 2>/dev/null; }

new_note
note=$(wait_window "KIVOLA note")
click_in "$note" 100 100
# A pause in typing saves the note, the focus staying where it is.
paused="saved by a pause"
xdotool type --delay 20 "$paused"
sleep 3
# (A loaded machine may take a moment longer to write it.)
for _ in $(seq 1 30); do
  in_note "$paused" && break
  sleep 0.1
done
in_note "$paused" || fail "the note was not saved after a pause in typing"
text=" and typed just before the pull"
xdotool type --delay 20 "$text"
sleep 0.3
# Nothing has saved that yet: the note kept the focus, and typing has hardly stopped.
! in_note "$text" || fail "the note was saved before the pull; the test would prove nothing"
echo "=== the drive pulled"
exfat_pull
background
failure=$(wait_window "SAVE NOTE")
dismiss "$failure"
alive "after the failed save"

# Under Wine the first click on the launcher after the message box only gives it the focus
# back.
background
first_slot
message=$(wait_window Kivola "$launcher")
dismiss "$message"
alive "after a click on an application"

new_note
wait_window "KIVOLA note" "$note" >/dev/null
alive "after a new note"
background

echo "=== the drive back at the same letter"
exfat_plug_back
in_note "$paused" || fail "what a pause saved is not on the drive once it is back"
click_in "$note" 100 100
background
saved=""
for _ in $(seq 1 50); do
  saved=$(grep -l -F "$text" "$drive"/Notes/*.txt 2>/dev/null || true)
  [ -n "$saved" ] && break
  sleep 0.1
done
[ -n "$saved" ] || fail "the typed text was not saved once the drive was back"

echo "=== the drive pulled while the note is being saved"
click_in "$note" 100 100
during=" and more while saving"
xdotool key ctrl+End
xdotool type --delay 20 "$during"
# The save runs about two seconds after the last key.
sleep 2
exfat_pull
sleep 1
alive "after a pull during a save"
# A save cut short says so; one that got through says nothing.
for box in $(visible "SAVE NOTE"); do
  dismiss "$box"
done
background
exfat_plug_back
# Saved by itself once the drive is back, without a click or a key.
for _ in $(seq 1 100); do
  in_note "$text$during" && break
  sleep 0.1
done
in_note "$text$during" || fail "the note cut short in its save was not saved once the drive was back"
if ls "$drive"/Notes/*.txt >/dev/null 2>&1; then
  for file in "$drive"/Notes/*.txt; do
    grep -q -F "$paused" "$file" || fail "$file lost its text in the cut-short save"
  done
fi

close_picture
status=0
for _ in $(seq 1 100); do
  kill -0 "$kivola_pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$kivola_pid" 2>/dev/null; then
  fail "KIVOLA.exe did not end on the close picture"
fi
wait "$kivola_pid" || status=$?
kivola_pid=""
[ "$status" -eq 0 ] || { cat "$work/kivola.log" >&2; fail "KIVOLA.exe ended with status $status"; }
echo "KIVOLA.exe lived through the pull and saved the note when the drive came back"
