# shellcheck shell=bash
# Running a drive's `kivola` as on a desktop without Qt, and looking at what a launcher shows.
# Sourced by the drive tests; needs root (a private mount namespace).
#
#   fail MESSAGE...                    the test fails, saying why
#   start_x_server LOG                 a virtual X server of the test's own; sets DISPLAY and
#                                      x_server_pid
#   hide_system_qt WORK CARRIED-LIST   prepares hiding the system's copies of what the drive
#                                      carries, its Qt and Qt's plugins (files in WORK)
#   start_hidden DRIVE SUPPORT LOG NAME=VALUE...
#                                      starts DRIVE/kivola with the system's Qt hidden and only
#                                      the given display variables; sets kivola_pid. SUPPORT is
#                                      the drive's support folder, .kivola/VERSION
#   expect_from_drive FILE...          kivola has these files of the support folder loaded, and
#                                      nothing of Qt but the drive's, nor anything else of
#                                      .kivola: no older version's library is in use
#   stop_kivola LOG                    ends kivola the orderly way; it must end well
#   wait_for_launcher PID LOG [SECONDS]
#                                      the visible KIVOLA window of process PID, within SECONDS
#                                      (default 60); sets window and its place X, Y
#   expect_icons COLOUR COLOUR         the launcher's first two slots show these one-colour
#                                      icons (in either order), the third none of them; sets
#                                      shown (the colours of slots 1 to 3)
#   slot_point N                       the middle of slot N on the screen, as "x y"
#   user_files DRIVE                   the user's own files: applications Alpha and Beta with
#                                      icons FF00FF and 00FFFF, each of which says it ran in a
#                                      file "started" beside itself, and the note Keep
#   user_sums DRIVE [FILE...]          the checksums of those files and the FILEs, to compare
#                                      before and after an update

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

user_files() {
  local name colour
  for name in Alpha:FF00FF Beta:00FFFF; do
    colour=${name#*:}
    name=${name%%:*}
    mkdir -p "$1/$name"
    printf '#!/bin/sh\necho started >"$(dirname "$0")/started"\n' >"$1/$name/run.sh"
    chmod +x "$1/$name/run.sh"
    printf 'run.sh' >"$1/$name/kivolaapp.ini"
    convert -size 48x48 "xc:#$colour" "$1/$name/appicon.gif"
  done
  mkdir -p "$1/Notes"
  printf 'Keep this\r\nline two\r\n' >"$1/Notes/Keep.txt"
}

user_sums() {
  local drive=$1
  shift
  (cd "$drive" && find Alpha Beta Notes "$@" -type f -print0 | sort -z | xargs -0 sha256sum)
}

start_x_server() {
  local n display=""
  for n in $(seq 130 160); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
      display=:$n
      break
    fi
  done
  [ -n "$display" ] || fail "no free X display"
  # -noreset: the server keeps its state whenever a client (Wine's helpers) leaves.
  Xvfb "$display" -noreset -nolisten tcp -screen 0 1024x768x24 </dev/null >"$1" 2>&1 &
  x_server_pid=$!
  for _ in $(seq 1 100); do
    [ -e "/tmp/.X11-unix/X${display#:}" ] && break
    sleep 0.1
  done
  export DISPLAY=$display
}

hide_system_qt() {
  local work=$1 carried=$2 lib dir file
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

  # One mount call lays every empty file: mount needs some of these libraries itself (PCRE2),
  # so from then on the namespace runs nothing but bash builtins and kivola.
  fstab_path() { printf '%s' "$1" | sed 's/ /\\040/g'; }
  hide_fstab=$work/hide.fstab
  {
    while read -r file; do
      echo "$(fstab_path "$work/empty") $(fstab_path "$file") none bind 0 0"
    done <"$hidden"
    echo "$(fstab_path "$work/empty-dir") $(fstab_path "$qt_plugins") none bind 0 0"
  } >"$hide_fstab"
}

# exec keeps the process id: it is kivola's once the namespace is set up.
start_hidden() {
  hidden_drive=$1
  hidden_support=$2
  local log=$3
  shift 3
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
  ' hide "$hide_fstab" "$hidden" "$qt_plugins" "$hidden_drive" "${start_command:-./kivola}" \
    "$@" >"$log" 2>&1 &
  kivola_pid=$!
}

expect_from_drive() {
  local maps file
  maps=$(awk '{ print $6 }' "/proc/$kivola_pid/maps" | sort -u)
  for file in "$@"; do
    echo "$maps" | grep -qxF "$hidden_drive/$hidden_support/$file" ||
      fail "kivola has not loaded the drive's $file"
  done
  if echo "$maps" | grep -v "^$hidden_drive/" | grep -E 'libQt6|/qt6/|libicu'; then
    fail "kivola loaded Qt from the system"
  fi
  if echo "$maps" | grep -F "$hidden_drive/.kivola/" | grep -vF "$hidden_drive/$hidden_support/"; then
    fail "kivola loaded files of .kivola that are not its version's"
  fi
}

stop_kivola() {
  local status=0
  kill "$kivola_pid"
  wait "$kivola_pid" || status=$?
  kivola_pid=""
  [ "$status" -eq 0 ] || { cat "$1" >&2; fail "kivola ended with status $status"; }
}

# Searches ignore case: only visible windows count, or Qt's unmapped leader "kivola" would match.
wait_for_launcher() {
  local deadline=$((SECONDS + ${3:-60}))
  window=""
  while [ "$SECONDS" -lt "$deadline" ]; do
    kill -0 "$1" 2>/dev/null || { cat "$2" >&2; fail "the program ended"; }
    window=$(xdotool search --onlyvisible --name '^KIVOLA$' 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    sleep 0.1
  done
  [ -n "$window" ] || { cat "$2" >&2; fail "no KIVOLA window appeared"; }
  eval "$(xdotool getwindowgeometry --shell "$window")"
}

# The grid: slot n's middle, from the window's corner (15 twips a pixel, Form1Layout).
slot_point() {
  local column=$((($1 - 1) % 4)) row=$((($1 - 1) / 4))
  echo "$((X + 60 + 64 * column)) $((Y + 92 + 64 * row))"
}

colour_at() {  # colour_at X Y: the screen's colour there, as RRGGBB
  import -window root -crop "1x1+$1+$2" +repage -depth 8 txt:- 2>/dev/null |
    grep -o '#[0-9A-F]\{6\}' | head -n 1 | tr -d '#'
}

expect_icons() {
  local third
  shown=""
  for _ in $(seq 1 150); do
    # shellcheck disable=SC2046
    shown="$(colour_at $(slot_point 1)) $(colour_at $(slot_point 2)) $(colour_at $(slot_point 3))"
    case "$shown" in
      "$1 $2 "* | "$2 $1 "*) break ;;
    esac
    sleep 0.2
  done
  case "$shown" in
    "$1 $2 "* | "$2 $1 "*) ;;
    *) fail "the first slots show $shown, not the drive's two icons" ;;
  esac
  third=${shown##* }
  [ "$third" != "$1" ] && [ "$third" != "$2" ] || fail "a third slot shows an icon: $shown"
}
