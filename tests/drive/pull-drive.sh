#!/usr/bin/env bash
# Pulls the drive from under a running `kivola`, as a hurried user does. A drive made by
# scripts/make-drive on a real exFAT file system (an image on a loop device, mounted through
# FUSE; killing the FUSE process makes every access fail, as a pulled stick does) runs `kivola`
# on a virtual X server. Then:
#   - typed text is on the drive after a pause in typing, and survives the program being killed;
#   - with the drive pulled, a focus loss, a click on an application and a new note leave the
#     program running and the typed text in its note;
#   - with the drive back at the same place, the waiting note is saved by itself, and the close
#     picture ends the program with status 0;
#   - a drive pulled while a note is being saved leaves the old text or the new, and the program
#     running.
#
# Usage: pull-drive.sh SOURCE-ROOT WORK-FOLDER   (as root; exits 77 when the machine cannot mount)
set -euo pipefail
root=$1
work=$2

fail() {
  echo "FAIL: $*" >&2
  [ -n "${kivola_log:-}" ] && [ -s "$kivola_log" ] && tail -n 20 "$kivola_log" >&2
  exit 1
}

# shellcheck source=exfat-drive.sh
. "$root/tests/drive/exfat-drive.sh"
rm -rf "$work"
mkdir -p "$work"
kivola_pid=""
xvfb=""
cleanup() {
  [ -n "$kivola_pid" ] && kill -KILL "$kivola_pid" 2>/dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  exfat_stop
}
trap cleanup EXIT
exfat_start "$work"
drive=$exfat_mount

# One application, which says it ran in a file beside itself.
mkdir -p "$drive/Alpha"
printf '#!/bin/sh\necho started >"$(dirname "$0")/started"\n' >"$drive/Alpha/run.sh"
printf 'run.sh' >"$drive/Alpha/kivolaapp.ini"
convert -size 48x48 "xc:#FF00FF" "$drive/Alpha/appicon.gif"
"$root/scripts/make-drive" "$drive" >"$work/make-drive.log" 2>&1 ||
  { cat "$work/make-drive.log" >&2; fail "make-drive failed"; }

display=""
for n in $(seq 161 190); do
  if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
    display=:$n
    break
  fi
done
[ -n "$display" ] || fail "no free X display"
Xvfb "$display" -noreset -nolisten tcp -screen 0 1024x768x24 </dev/null >"$work/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 1 100); do
  [ -e "/tmp/.X11-unix/X${display#:}" ] && break
  sleep 0.1
done
export DISPLAY=$display
unset QT_QPA_PLATFORM QT_PLUGIN_PATH LD_LIBRARY_PATH WAYLAND_DISPLAY

launcher=""
start_kivola() {  # start_kivola LOG
  kivola_log=$1
  (cd "$drive" && exec ./kivola) >"$kivola_log" 2>&1 &
  kivola_pid=$!
  launcher=""
  for _ in $(seq 1 300); do
    alive || fail "kivola ended at start-up"
    launcher=$(xdotool search --onlyvisible --name '^KIVOLA$' 2>/dev/null | head -n 1 || true)
    [ -n "$launcher" ] && break
    sleep 0.1
  done
  [ -n "$launcher" ] || fail "no KIVOLA window appeared"
  grep -qF "$drive/.kivola/lib/libQt6Core.so.6" "/proc/$kivola_pid/maps" ||
    fail "kivola did not load Qt from the drive"
}
alive() { kill -0 "$kivola_pid" 2>/dev/null; }
# Points of the launcher, from its corner (15 twips a pixel).
launcher_point() {  # launcher_point DX DY
  local X Y
  eval "$(xdotool getwindowgeometry --shell "$launcher" | grep -E '^[XY]=')"
  echo "$((X + $1)) $((Y + $2))"
}
click_at() {  # click_at X Y
  xdotool mousemove "$1" "$2" click 1
  sleep 0.3
}
# The note windows, newest last (window ids grow).
notes() { xdotool search --onlyvisible --name '^KIVOLA note$' 2>/dev/null | sort -n || true; }
type_into_note() {  # type_into_note WINDOW TEXT: clicks into its text box, adds the text
  local X Y
  eval "$(xdotool getwindowgeometry --shell "$1" | grep -E '^[XY]=')"
  click_at "$((X + 120))" "$((Y + 200))"
  xdotool key --clearmodifiers ctrl+End
  xdotool type --delay 20 "$2"
}
# What a new note holds before anything is typed into it.
initial=$'Type here to write your note...\r\n'
# A message box with this title, dismissed with its default button; fails when none comes.
dismiss() {  # dismiss TITLE-PATTERN WHAT
  local box=""
  for _ in $(seq 1 50); do
    box=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | grep -vx "$launcher" | head -n 1 ||
      true)
    [ -n "$box" ] && break
    alive || fail "kivola died: $2"
    sleep 0.1
  done
  [ -n "$box" ] || fail "no message came: $2"
  xdotool windowfocus --sync "$box" 2>/dev/null || true
  xdotool key Return
  sleep 0.3
  alive || fail "kivola died after the message: $2"
}
note_file() { find "$drive/Notes" -maxdepth 1 -name '*.txt' ! -name '.*' 2>/dev/null | head -n 1; }
wait_for_note_text() {  # wait_for_note_text TEXT SECONDS
  local file
  for _ in $(seq 1 $(($2 * 10))); do
    file=$(note_file)
    [ -n "$file" ] && [ "$(cat "$file" 2>/dev/null)" = "$1" ] && return 0
    sleep 0.1
  done
  return 1
}
# Nothing of the program's code is left to be read from the drive.
wait_until_held() {
  for _ in $(seq 1 100); do
    grep -E '^[^ ]+ r-xp .* '"$drive/" "/proc/$kivola_pid/maps" >/dev/null || return 0
    sleep 0.1
  done
  fail "kivola's code is still mapped from the drive"
}

echo "=== A pause in typing saves; the program killed after it has lost nothing"
start_kivola "$work/kivola-1.log"
click_at $(launcher_point 76 395) # + New KIVOLA
note=$(notes | tail -n 1)
[ -n "$note" ] || fail "no note opened"
type_into_note "$note" "milk"
sleep 3
kill -KILL "$kivola_pid"
wait "$kivola_pid" 2>/dev/null || true
kivola_pid=""
wait_for_note_text "${initial}milk" 1 || fail "the text typed before the pause is not in the note file"

echo "=== The drive pulled under the running program"
start_kivola "$work/kivola-2.log"
wait_until_held
note=$(notes | tail -n 1)
[ -n "$note" ] || fail "the note did not reopen"
type_into_note "$note" " eggs"
sleep 3
wait_for_note_text "${initial}milk eggs" 1 || fail "the pause did not save"
type_into_note "$note" " bread"
exfat_pull
click_at $(launcher_point 200 300) # the launcher takes the focus from the note
dismiss '^SAVE NOTE$' "the note's focus loss with the drive gone"
click_at $(launcher_point 60 92) # Alpha's slot
dismiss '^Kivola$' "a click on an application with the drive gone"
before=$(notes | wc -l)
click_at $(launcher_point 76 395)
[ "$(notes | wc -l)" -gt "$before" ] || fail "no new note opened with the drive gone"
alive || fail "kivola died with the drive gone"

exfat_plug_back
wait_for_note_text "${initial}milk eggs bread" 10 ||
  fail "the waiting note was not saved once the drive was back"
click_at $(launcher_point 308 17) # the close picture
status=0
for _ in $(seq 1 50); do alive || break; sleep 0.1; done
alive && fail "the close picture did not end the program"
wait "$kivola_pid" || status=$?
kivola_pid=""
[ "$status" -eq 0 ] || fail "kivola ended with status $status"

echo "=== The drive pulled while a note is being saved"
start_kivola "$work/kivola-3.log"
wait_until_held
note=$(notes | tail -n 1)
type_into_note "$note" " jam"
# The save runs about two seconds after the last key.
sleep 2
exfat_pull
sleep 1
alive || fail "kivola died when the drive went during a save"
# A failed save says so once; a save that got through says nothing.
box=$(xdotool search --onlyvisible --name '^SAVE NOTE$' 2>/dev/null | head -n 1 || true)
[ -z "$box" ] || dismiss '^SAVE NOTE$' "the save cut short"
exfat_plug_back
wait_for_note_text "${initial}milk eggs bread jam" 10 ||
  fail "the note cut short in its save was not saved once the drive was back"
click_at $(launcher_point 308 17)
for _ in $(seq 1 50); do alive || break; sleep 0.1; done
status=0
wait "$kivola_pid" || status=$?
kivola_pid=""
[ "$status" -eq 0 ] || fail "kivola ended with status $status after the cut-short save"
echo "kivola kept running through three pulls and lost nothing that was typed"
