# shellcheck shell=bash
# Sourced by the scripts that put KIVOLA on a drive.

# kivola_file_system FOLDER: the file system of the drive FOLDER lies on, as the drive's block
# device says (vfat, exfat, ntfs, ext4, ...). The mount type will not do: a drive mounted
# through FUSE, as desktops mount exFAT and NTFS sticks, says fuseblk whatever it holds. Without
# a block device (a folder on tmpfs, a network share) the mount type it is.
kivola_file_system() {
  local source type=""
  source=$(findmnt -n -o SOURCE --target "$1" 2>/dev/null | head -n 1 || true)
  if [ -b "$source" ]; then
    type=$(blkid -o value -s TYPE "$source" 2>/dev/null || true)
    [ -n "$type" ] || type=$(lsblk -n -o FSTYPE "$source" 2>/dev/null | head -n 1 || true)
  fi
  [ -n "$type" ] || type=$(stat -f -c %T "$1")
  echo "$type"
}
