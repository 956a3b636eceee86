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
plain_gif() {  # plain_gif TARGET COLOUR
  if command -v convert >/dev/null 2>&1; then
    convert -size 48x48 "xc:$2" -fill white -draw 'roundrectangle 8,8 39,39 6,6' "$1"
  else
    # A 1 by 1 grey GIF: better a dot than an application missing from the grid.
    printf 'R0lGODlhAQABAIAAAMDAwAAAACH5BAAAAAAALAAAAAABAAEAAAICRAEAOw==' | base64 -d >"$1"
  fi
}
mapfile -t all_icons < <(find "$icons_dir" -maxdepth 1 -name '*.gif' ! -name 'defaulticon.gif' \
  -printf '%f\n' 2>/dev/null | sed 's/\.gif$//' | sort)
icon_for() {  # icon_for NAME INDEX TARGET: the icon of that name, else one in turn
  if [ -f "$icons_dir/$1.gif" ]; then
    cp "$icons_dir/$1.gif" "$3"
  elif [ ${#all_icons[@]} -gt 0 ]; then
    cp "$icons_dir/${all_icons[$(($2 % ${#all_icons[@]}))]}.gif" "$3"
  else
    local colours=('#3a6ea5' '#a53a3a' '#3aa55a' '#a5833a' '#6a3aa5' '#3a9aa5')
    plain_gif "$3" "${colours[$(($2 % ${#colours[@]}))]}"
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

# Title:icon of each application with a folder and a descriptor of its own.
singles=(Archive:archive Browser:browser Calculator:calculator Calendar:calendar Camera:camera
         Chat:chat Clock:clock Code:code Downloads:download Files:files Games:games Mail:mail
         Maps:maps Music:music Notepad:notes Paint:paint Passwords:passwords Photos:photos
         Reader:reader Settings:settings Terminal:terminal Video:video Weather:weather)
# And one folder holding two applications in a list descriptor ("executable=icon=title,...").
listed=(Sheets:spreadsheet Charts:chart)
single_count=$((apps > ${#listed[@]} ? apps - ${#listed[@]} : apps))
for ((i = 0; i < single_count; i++)); do
  if [ "$i" -lt ${#singles[@]} ]; then
    name=${singles[$i]%%:*}
    icon=${singles[$i]#*:}
  else
    name=$(printf 'Tool %03d' $((i + 1)))
    icon=
  fi
  folder=$drive/$name
  mkdir -p "$folder"
  write_app_script "$folder/run.sh" "$name"
  printf 'run.sh' >"$folder/kivolaapp.ini"
  icon_for "$icon" "$i" "$folder/appicon.gif"
done
if [ "$apps" -gt "$single_count" ]; then
  folder=$drive/Office
  mkdir -p "$folder"
  entries=()
  for pair in "${listed[@]}"; do
    title=${pair%%:*}
    icon=${pair#*:}
    lower=$(echo "$title" | tr 'A-Z' 'a-z')
    write_app_script "$folder/$lower.sh" "$title"
    icon_for "$icon" 0 "$folder/$icon.gif"
    entries+=("$lower.sh=$icon.gif=$title")
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
