#!/usr/bin/env bash
# Notes are one store for both editions: what one writes, the other reads back exactly, and its
# saves go back into the same files. Runs the Linux edition's notes_exchange and the Windows
# edition's (under Wine) against the same folders, each through its own note code, and
# compares what both read with what was typed or placed, and with each other, byte for byte.
#
# Usage: notes-both-editions.sh LINUX_NOTES_EXCHANGE WINDOWS_NOTES_EXCHANGE.exe WINE_RUN...
set -euo pipefail

linux="$1"
windows="$2"
shift 2
wine_run=("$@")

if [ ! -x "$linux" ]; then
  echo "SKIPPED: no Linux notes_exchange at $linux (build the dev preset first; scripts/test does)"
  exit 77
fi

work="$(mktemp -d "${TMPDIR:-/tmp}/kivola-interop.XXXXXX")"
trap 'rm -rf "$work"' EXIT

# The same folder as the Windows edition names it: Wine shows the host's / as Z:.
windows_path() {
  local path="Z:$1"
  printf '%s' "${path//\//\\}"
}

on_linux() {
  local command="$1" drive="$2"
  shift 2
  echo "+ Linux:   $command ${drive#"$work"/} $*"
  "$linux" "$command" "$drive" "$@"
}

on_windows() {
  local command="$1" drive="$2"
  shift 2
  echo "+ Windows: $command ${drive#"$work"/} $*"
  local args=()
  # Dumps are written by the Windows program too.
  local arg
  for arg in "$@"; do
    case "$arg" in
      "$work"/*) args+=("$(windows_path "$arg")") ;;
      *) args+=("$arg") ;;
    esac
  done
  "${wine_run[@]}" "$windows" "$command" "$(windows_path "$drive")" "${args[@]}"
}

same() {
  if ! cmp -s "$1" "$2"; then
    echo "the editions read different notes:"
    diff "$1" "$2" || true
    exit 1
  fi
}

# Typed and placed on Linux, among them names Windows cannot hold, which the Windows edition
# meets first; then edited on Windows and read back on Linux.
a="$work/from-linux"
mkdir -p "$a"
on_linux make "$a" odd-names
on_windows read "$a" "$work/a0.windows" odd-names-first
on_linux read "$a" "$work/a1.linux" odd-names
on_windows read "$a" "$work/a1.windows" odd-names
same "$work/a1.linux" "$work/a1.windows"
on_windows edit "$a"
on_linux read "$a" "$work/a2.linux" odd-names-edited
on_windows read "$a" "$work/a2.windows" odd-names-edited
same "$work/a2.linux" "$work/a2.windows"

# The same names met by Linux first.
c="$work/odd-names-linux-first"
mkdir -p "$c"
on_linux make "$c" odd-names
on_linux read "$c" "$work/c1.linux" odd-names-first
on_windows read "$c" "$work/c1.windows" odd-names
same "$work/c1.linux" "$work/c1.windows"

# Typed and placed on Windows, edited on Linux, read back on Windows.
b="$work/from-windows"
mkdir -p "$b"
on_windows make "$b"
on_linux read "$b" "$work/b1.linux" made
on_windows read "$b" "$work/b1.windows" made
same "$work/b1.linux" "$work/b1.windows"
on_linux edit "$b"
on_windows read "$b" "$work/b2.windows" made-edited
on_linux read "$b" "$work/b2.linux" made-edited
same "$work/b2.linux" "$work/b2.windows"

echo "both editions read every note alike"
