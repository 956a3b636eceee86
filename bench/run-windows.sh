#!/usr/bin/env bash
# Cross-builds the application scan and directory walker benchmarks for Windows (Release,
# MinGW-w64) and runs them under Wine, each against its floor of plain FindFirstFileW,
# FindNextFileW, CreateFileW and ReadFile calls over the same files in the same run.
#
# Usage: bench/run-windows.sh [scan|walk|all] [COUNT...]
#   scan: one full application scan of drives with COUNT application folders (default 100,
#         1,000 and 10,000); walk: CDirDrill over 100,000 files in 5,000 folders; all: both.
# Environment:
#   KIVOLA_BENCH_TREES  where the generated trees go: "unix" (default), a folder under /tmp
#                       that Wine reaches through Z:, or "prefix", a folder in the prefix's C:
#                       drive. Both are plain folders of a Linux file system.
#
# Wine passes every file call through its server, so all figures are far above the Linux ones;
# what compares is each ratio to the floor measured in the same run.
set -euo pipefail
cd "$(dirname "$0")/.."
what=${1:-all}
shift || true
case "$what" in
  scan | walk | all) ;;
  *)
    echo "usage: $0 [scan|walk|all] [COUNT...]" >&2
    exit 2
    ;;
esac

build=build/windows-bench
toolchain=cmake/mingw-w64.cmake
if [ -f "$toolchain" ]; then
  cross=(-DCMAKE_TOOLCHAIN_FILE="$toolchain")
else
  cross=(-DCMAKE_SYSTEM_NAME=Windows -DCMAKE_CXX_COMPILER=x86_64-w64-mingw32-g++-posix
    -DCMAKE_C_COMPILER=x86_64-w64-mingw32-gcc-posix -DCMAKE_EXE_LINKER_FLAGS=-static)
fi
cmake -S . -B "$build" -G Ninja "${cross[@]}" -DCMAKE_BUILD_TYPE=Release \
  -DKIVOLA_BUILD_TESTS=OFF -DKIVOLA_BUILD_QT=OFF -DKIVOLA_BUILD_BENCH=ON >/dev/null
cmake --build "$build" -j2 --target launcher_scan_bench dirdrill_bench

# A prefix of the benchmarks' own, made once. The server and its helpers outlive the first
# program and would hold on to its output, so their streams go to /dev/null.
export WINEPREFIX="$PWD/$build/wine-prefix"
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Making the Wine prefix $WINEPREFIX ..."
  wineboot --init </dev/null >/dev/null 2>&1
  wineserver -w </dev/null >/dev/null 2>&1
fi
# Started here, so that no program's output is inherited by it; it ends 10 s after the last.
wineserver -p10 </dev/null >/dev/null 2>&1 || true

case "${KIVOLA_BENCH_TREES:-unix}" in
  unix)
    unix_trees=$(mktemp -d "${TMPDIR:-/tmp}/kivola-windows-bench-XXXXXX")
    trees="Z:${unix_trees//\//\\}"
    ;;
  prefix)
    unix_trees=$(mktemp -d "$WINEPREFIX/drive_c/kivola-bench-XXXXXX")
    trees="C:\\${unix_trees##*/}"
    ;;
  *)
    echo "KIVOLA_BENCH_TREES must be unix or prefix" >&2
    exit 2
    ;;
esac
trap 'rm -rf "$unix_trees"' EXIT

echo "$(wine --version 2>/dev/null); load: $(cut -d' ' -f1-3 /proc/loadavg)"
if [ "$what" != walk ]; then
  wine "$build/bench/launcher/launcher_scan_bench.exe" "$trees" "$@"
fi
if [ "$what" != scan ]; then
  wine "$build/bench/support/dirdrill_bench.exe" "$trees"
fi
echo "load: $(cut -d' ' -f1-3 /proc/loadavg)"
