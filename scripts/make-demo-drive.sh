#!/usr/bin/env bash
# Fills a folder the way a KIVOLA drive looks: sample applications (small shell scripts, each
# in its own folder with a descriptor and an icon), one folder holding several applications in
# a list descriptor, a default icon, and a Notes folder with notes.
#
# Usage: scripts/make-demo-drive.sh DRIVE [APPLICATIONS=25] [NOTES=2]
# Running it again adds what is missing and leaves the notes already on the drive alone.
set -euo pipefail

if [ $# -lt 1 ]; then
  echo "Usage: $0 DRIVE [APPLICATIONS] [NOTES]" >&2
  exit 2
fi
drive=$1
apps=${2:-25}
notes=${3:-2}
root=$(cd "$(dirname "$0")/.." && pwd)
icons_dir=$root/assets/generated/demo-icons
mkdir -p "$drive"

# Icons: the drawn demo icons when they are there, else a plain picture made here.
mapfile -t icons < <(find "$icons_dir" -maxdepth 1 -name '*.gif' ! -name 'defaulticon.gif' 2>/dev/null | sort)
plain_gif() {
  if command -v convert >/dev/null 2>&1; then
    convert -size 48x48 "xc:$2" -fill white -draw 'roundrectangle 8,8 39,39 6,6' "$1"
  else
    # A 1 by 1 grey GIF: better a dot than an application missing from the grid.
    printf 'R0lGODlhAQABAIAAAMDAwAAAACH5BAAAAAAALAAAAAABAAEAAAICRAEAOw==' | base64 -d >"$1"
  fi
}
icon_for() {  # icon_for INDEX TARGET
  if [ ${#icons[@]} -gt 0 ]; then
    cp "${icons[$(($1 % ${#icons[@]}))]}" "$2"
  else
    local colours=('#3a6ea5' '#a53a3a' '#3aa55a' '#a5833a' '#6a3aa5' '#3a9aa5')
    plain_gif "$2" "${colours[$(($1 % ${#colours[@]}))]}"
  fi
}

if [ -f "$icons_dir/defaulticon.gif" ]; then
  cp "$icons_dir/defaulticon.gif" "$drive/defaulticon.gif"
else
  plain_gif "$drive/defaulticon.gif" '#808080'
fi

# Each application says that it ran (in launch.log on the drive) and, on a desktop, hello.
write_app_script() {  # write_app_script PATH TITLE
  cat >"$1" <<SCRIPT
#!/bin/sh
# KIVOLA demo application "$2".
here=\$(cd "\$(dirname "\$0")" && pwd)
echo "\$(date '+%F %T') $2" >>"\$here/../launch.log"
if [ -n "\${DISPLAY:-}" ] && command -v xmessage >/dev/null 2>&1; then
  exec xmessage -center "$2 started from the KIVOLA demo drive."
fi
SCRIPT
  chmod +x "$1"
}

names=(Calculator Calendar Chess Clock Diary Dictionary Draw Editor Files Finance Gallery
       Maps Music Notepad Paint Photos Player Radio Reader Recorder Terminal Weather)
# One folder holds three applications in a list descriptor ("executable=icon=title,...").
list_apps=3
singles=$((apps > list_apps ? apps - list_apps : apps))
for ((i = 0; i < singles; i++)); do
  if [ "$i" -lt ${#names[@]} ]; then name=${names[$i]}; else name=$(printf 'Tool %03d' $((i + 1))); fi
  folder=$drive/$name
  mkdir -p "$folder"
  write_app_script "$folder/run.sh" "$name"
  printf 'run.sh' >"$folder/kivolaapp.ini"
  icon_for "$i" "$folder/appicon.gif"
done
if [ "$apps" -gt "$list_apps" ]; then
  folder=$drive/Office
  mkdir -p "$folder"
  entries=()
  k=0
  for title in Writer Sheets Slides; do
    lower=$(echo "$title" | tr 'A-Z' 'a-z')
    write_app_script "$folder/$lower.sh" "$title"
    icon_for $((singles + k)) "$folder/$lower.gif"
    entries+=("$lower.sh=$lower.gif=$title")
    k=$((k + 1))
  done
  (IFS=,; printf '%s' "${entries[*]}" >"$folder/kivolaapp.ini")
fi

# Notes: the text box keeps CR LF between lines, and so do the files.
mkdir -p "$drive/Notes"
note() {  # note ID TEXT...
  local file=$drive/Notes/$1.txt
  shift
  [ -e "$file" ] || printf '%s\r\n' "$@" >"$file"
}
[ "$notes" -ge 1 ] && note Welcome "Welcome to KIVOLA!" "" \
  "Click an icon to start an application." "Drag the background to move the launcher."
[ "$notes" -ge 2 ] && note Shopping "Shopping list:" "- USB drive, 64 GB" "- coffee"
for ((n = 3; n <= notes; n++)); do
  note "$(printf 'Note %03d' "$n")" "Note number $n." "Written by make-demo-drive.sh."
done
echo "Demo drive ready: $drive ($apps applications, $notes notes)"
