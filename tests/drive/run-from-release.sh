#!/usr/bin/env bash
# The release as a user gets it: scripts/make-release's archive unzipped onto an exFAT drive
# (an image on a loop device, mounted through FUSE as desktops mount sticks) that holds an
# older KIVOLA, the user's applications and a note. Both editions must then start from the
# drive and show its applications: `kivola` with the machine's Qt hidden, loading nothing of the
# older version, and `KIVOLA.exe` under Wine.
#
# Usage: run-from-release.sh SOURCE-ROOT WORK-FOLDER   (as root; exits 77 when it cannot be)
set -euo pipefail
root=$1
work=$2
# shellcheck source=tests/drive/hidden-qt.sh
. "$root/tests/drive/hidden-qt.sh"
# shellcheck source=tests/drive/exfat-drive.sh
. "$root/tests/drive/exfat-drive.sh"
. "$root/scripts/lib/file-system.sh"
. "$root/scripts/lib/version.sh"
version=$(kivola_version "$root")
support=.kivola/$version
prefix=$root/build/windows/wine-prefix

if [ "$(id -u)" -ne 0 ] || ! unshare -m true 2>/dev/null; then
  echo "A private mount namespace needs root: skipped."
  exit 77
fi
rm -rf "$work"
mkdir -p "$work"

kivola_pid=""
windows_pid=""
x_server_pid=""
cleanup() {
  [ -n "$kivola_pid" ] && kill "$kivola_pid" 2>/dev/null || true
  if [ -n "$windows_pid" ]; then
    KIVOLA_WINE_GRAPHICS=x11 "$root/scripts/wine/stop" --prefix="$prefix" || true
  fi
  [ -n "$x_server_pid" ] && kill "$x_server_pid" 2>/dev/null || true
  exfat_stop
}
trap cleanup EXIT
exfat_start "$work/exfat"
drive=$exfat_mount

# How the drive is taken for exFAT: by its block device, since the mount says only FUSE.
[ "$(stat -f -c %T "$drive")" = fuseblk ] || fail "the FUSE mount is $(stat -f -c %T "$drive")"
[ "$(kivola_file_system "$drive")" = exfat ] ||
  fail "the drive was taken for $(kivola_file_system "$drive"), not exfat"

echo "=== make-release"
"$root/scripts/make-release" >"$work/make-release.log" 2>&1 ||
  { tail -n 40 "$work/make-release.log" >&2; fail "make-release failed"; }
archive=$root/dist/KIVOLA-$version.zip
(cd "$root/dist" && sha256sum --quiet -c "KIVOLA-$version.zip.sha256") ||
  fail "the archive's SHA-256 sum does not match it"
# kivola keeps its exec bit in the archive; nothing of the user's is in it.
zipinfo "$archive" kivola | grep -q '^-rwxr-xr-x' || fail "kivola lost its exec bit in the archive"
if zipinfo -1 "$archive" | grep -E '^Notes/|/kivolaapp\.ini$'; then
  fail "the archive holds notes or applications"
fi
# A program that names the folder it was built in differs from one built elsewhere.
for program in kivola KIVOLA.exe; do
  if unzip -p "$archive" "$program" | grep -qaF "$root/"; then
    fail "$program names the build's folder $root"
  fi
done

# The drive as an older KIVOLA left it: the support folder without a version (as make-drive made
# it) and an older version's, each holding libraries and a plugin that break whatever loads
# them; beside them the user's applications and a note.
for old in .kivola .kivola/0.0.1; do
  mkdir -p "$drive/$old/lib" "$drive/$old/plugins/platforms"
  for lib in libQt6Core.so.6 libQt6Gui.so.6 libfontconfig.so.1 libexpat.so.1; do
    echo "not a library" >"$drive/$old/lib/$lib"
  done
  echo "not a plugin" >"$drive/$old/plugins/platforms/libqxcb.so"
done
echo "older" >"$drive/kivola"
echo "older" >"$drive/KIVOLA.exe"
user_files "$drive"
before=$(user_sums "$drive")

echo "=== unzipped onto the drive"
unzip -o -q "$archive" -d "$drive" || fail "unzip failed with status $?"
[ "$(user_sums "$drive")" = "$before" ] || fail "unzipping changed the user's applications or notes"
[ -s "$drive/KIVOLA user guide.html" ] || fail "the guide is not on the drive"
[ -s "$drive/$support/licenses/README.txt" ] || fail "the licences are not on the drive"

start_x_server "$work/xvfb.log"
hide_system_qt "$work" "$root/build/release/src/ui/qt/carried-libraries.txt"

echo "=== kivola from the drive, the system's Qt hidden"
start_hidden "$drive" "$support" "$work/kivola.log" "DISPLAY=$DISPLAY"
wait_for_launcher "$kivola_pid" "$work/kivola.log"
expect_icons FF00FF 00FFFF
# The GIF reader is loaded for the first GIF icon.
expect_from_drive lib/libQt6Core.so.6 plugins/platforms/libqxcb.so plugins/imageformats/libqgif.so
stop_kivola "$work/kivola.log"

echo "=== KIVOLA.exe from the drive, under Wine"
(cd "$drive" && KIVOLA_WINE_GRAPHICS=x11 exec "$root/scripts/wine/run" --prefix="$prefix" \
  ./KIVOLA.exe) >"$work/windows.log" 2>&1 &
windows_pid=$!
# The first run under this X server's driver also makes the build's Wine prefix.
wait_for_launcher "$windows_pid" "$work/windows.log" 300
expect_icons FF00FF 00FFFF
echo "Both editions ran from the release unzipped onto exFAT: $(stat -c %s "$archive") bytes"
