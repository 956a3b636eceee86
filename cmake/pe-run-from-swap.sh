#!/bin/sh
# pe-run-from-swap.sh EXE: sets IMAGE_FILE_REMOVABLE_RUN_FROM_SWAP (0x0400) and
# IMAGE_FILE_NET_RUN_FROM_SWAP (0x0800) in a PE file's COFF Characteristics, in place.
# Windows then copies the whole image to the swap file at start instead of paging it in from
# the drive, so pulling the USB drive cannot fault the running program's code. GNU ld has no
# option for these flags, hence this step after linking; it needs only od, dd and printf.
set -eu
exe="$1"

# byte OFFSET: the unsigned value of one byte of the file.
byte() {
  od -An -tu1 -j "$1" -N 1 "$exe" | tr -d ' \n'
}

if [ "$(byte 0)" != 77 ] || [ "$(byte 1)" != 90 ]; then
  echo "$exe: not an executable (no MZ header)" >&2
  exit 1
fi
# e_lfanew, little-endian at 0x3C: where the "PE\0\0" signature and the COFF header start.
pe=$(($(byte 60) + 256 * $(byte 61) + 65536 * $(byte 62) + 16777216 * $(byte 63)))
if [ "$(byte "$pe")" != 80 ] || [ "$(byte $((pe + 1)))" != 69 ] ||
  [ "$(byte $((pe + 2)))" != 0 ] || [ "$(byte $((pe + 3)))" != 0 ]; then
  echo "$exe: no PE signature at offset $pe" >&2
  exit 1
fi
# Characteristics is the COFF header's last field, 18 bytes after its start; both flags are in
# its high byte.
high=$((pe + 4 + 18 + 1))
value=$(($(byte "$high") | 12))
# shellcheck disable=SC2059 # the format is the byte itself, as an octal escape
printf "\\$(printf '%03o' "$value")" | dd of="$exe" bs=1 seek="$high" count=1 conv=notrunc status=none
