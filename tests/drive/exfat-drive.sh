# A real removable drive for the drive tests: an exFAT image on a loop device, mounted through
# FUSE as desktops mount exFAT and FAT sticks. Killing the FUSE process is how a pulled drive
# looks to a program: every access to the mount then fails (ENOTCONN), while what the kernel
# already holds in memory stays. Sourced; needs root, /dev/fuse and loop devices, and exits the
# test with 77 (CTest's "skipped") saying why when the machine has not got them.
#
#   exfat_start FOLDER [MOUNT-OPTIONS]  makes FOLDER/stick.img and mounts it at FOLDER/STICK;
#                                       sets exfat_mount (the drive's folder)
#   exfat_pull                          the drive is pulled
#   exfat_plug_back                     the same drive comes back at the same place
#   exfat_stop                          unmounts and lets the loop device go: call it from the
#                                       test's EXIT trap

exfat_image=""
exfat_mount=""
exfat_loop=""
exfat_options=""
exfat_old_loops=()

exfat_skip() {
  echo "skipped: $*"
  exit 77
}

exfat_fuse_pid() {
  pgrep -f "^mount.exfat-fuse .*$exfat_loop $exfat_mount\$" | head -n 1
}

exfat_mount_now() {
  local args=()
  [ -n "$exfat_options" ] && args=(-o "$exfat_options")
  mount.exfat-fuse "${args[@]}" "$exfat_loop" "$exfat_mount" >/dev/null 2>&1 ||
    exfat_skip "mount.exfat-fuse could not mount $exfat_loop"
  # The FUSE process goes to the background on its own; it may take a moment to be listed.
  for _ in $(seq 1 50); do
    [ -n "$(exfat_fuse_pid)" ] && return 0
    sleep 0.1
  done
  exfat_skip "found no FUSE process for $exfat_mount"
}

exfat_start() {
  local folder=$1
  exfat_options=${2:-}
  [ "$(id -u)" -eq 0 ] || exfat_skip "mounting a drive image needs root"
  [ -c /dev/fuse ] || exfat_skip "this machine has no /dev/fuse"
  [ -e /dev/loop-control ] || exfat_skip "this machine has no loop devices"
  command -v mkfs.exfat >/dev/null && command -v mount.exfat-fuse >/dev/null ||
    exfat_skip "exfatprogs and exfat-fuse are not installed"
  mkdir -p "$folder"
  exfat_image=$folder/stick.img
  exfat_mount=$folder/STICK
  rm -f "$exfat_image"
  truncate -s 256M "$exfat_image"
  mkfs.exfat -L STICK "$exfat_image" >/dev/null
  exfat_loop=$(losetup -f --show "$exfat_image" 2>/dev/null) ||
    exfat_skip "no loop device could be attached"
  mkdir -p "$exfat_mount"
  exfat_mount_now
}

exfat_pull() {
  local pid
  pid=$(exfat_fuse_pid)
  [ -n "$pid" ] && kill -KILL "$pid"
  # Once the process is gone the mount answers nothing but errors.
  for _ in $(seq 1 50); do
    ls "$exfat_mount" >/dev/null 2>&1 || return 0
    sleep 0.05
  done
  echo "FAIL: the drive still answers after its FUSE process was killed" >&2
  exit 1
}

# A stick plugged in again is a new block device: the old one stays claimed by the dead mount
# for as long as a program still has files or its working folder there.
exfat_plug_back() {
  umount -l "$exfat_mount" 2>/dev/null || true
  exfat_old_loops+=("$exfat_loop")
  exfat_loop=$(losetup -f --show "$exfat_image" 2>/dev/null) ||
    exfat_skip "no loop device could be attached again"
  exfat_mount_now
}

exfat_stop() {
  [ -n "$exfat_mount" ] && umount -l "$exfat_mount" 2>/dev/null
  local loop
  for loop in "$exfat_loop" "${exfat_old_loops[@]}"; do
    # A loop device still in use goes once it is no longer.
    [ -n "$loop" ] && losetup -d "$loop" 2>/dev/null
  done
  exfat_loop=""
  exfat_old_loops=()
  exfat_mount=""
  return 0
}
