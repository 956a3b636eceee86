#!/bin/sh
# Starts kivola on a drive whose files may not run as programs. Linux desktops mount FAT32 and
# exFAT drives (most USB sticks) so that no file on them has the exec bit: there kivola cannot
# be started directly, but this script can, by
#
#     sh /media/you/STICK/kivola.sh
#
# It starts kivola in the drive's root folder, as a double click would, through the system's
# dynamic loader, which only needs to read it.
here=$(cd -- "$(dirname -- "$0")" && pwd) || exit 1
cd "$here" || exit 1
if [ -x ./kivola ]; then
  exec ./kivola "$@"
fi
# Started through the loader, kivola finds its own folder through the loader; Qt takes the
# program's folder to be the loader's, so its plugins are named here.
plugins="$here/.kivola/@PROJECT_VERSION@/plugins"
if [ -d "$plugins" ]; then
  QT_PLUGIN_PATH=$plugins
  export QT_PLUGIN_PATH
fi
for loader in /lib64/ld-linux-x86-64.so.2 /lib/x86_64-linux-gnu/ld-linux-x86-64.so.2; do
  if [ -r "$loader" ]; then
    exec "$loader" "$here/kivola" "$@"
  fi
done
echo "kivola.sh: kivola is a 64-bit x86 Linux program, and this computer has no loader for it." >&2
exit 1
