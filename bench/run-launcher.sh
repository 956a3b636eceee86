#!/bin/sh
# Builds the application scan benchmark (Release) and runs it: one full scan of drives with
# 100, 1,000 and 10,000 application folders against plain listing and reading of the same files.
set -eu
cd "$(dirname "$0")/.."
build=build/launcher-bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKIVOLA_BUILD_TESTS=OFF \
    -DKIVOLA_BUILD_QT=OFF -DKIVOLA_BUILD_BENCH=ON >/dev/null
cmake --build "$build" -j2 --target launcher_scan_bench
"$build/bench/launcher/launcher_scan_bench"
