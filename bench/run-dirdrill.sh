#!/bin/sh
# Builds the directory walker benchmark (Release) and runs it: CDirDrill against GNU find over
# a generated tree of 100,000 files in 5,000 folders.
set -eu
cd "$(dirname "$0")/.."
build=build/drill-bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKIVOLA_BUILD_TESTS=OFF \
    -DKIVOLA_BUILD_QT=OFF -DKIVOLA_BUILD_BENCH=ON >/dev/null
cmake --build "$build" -j2 --target dirdrill_bench
"$build/bench/support/dirdrill_bench"
