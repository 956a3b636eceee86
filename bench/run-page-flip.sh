#!/usr/bin/env bash
# Page changes of the launcher window (Qt, offscreen unless QT_QPA_PLATFORM says otherwise) on a
# drive of 100 applications with the demo GIF icons, against the floor of the same listing,
# reads and decodes done directly in the same run; then on a drive of 100 Windows programs
# without picture files, whose icons come from the programs, against the GIF icons' figure.
#
# Usage: bench/run-page-flip.sh [ROUNDS=20]
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/qt-bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKIVOLA_BUILD_TESTS=OFF \
    -DKIVOLA_BUILD_QT=ON -DKIVOLA_BUILD_BENCH=ON >/dev/null
cmake --build "$build" -j2 --target kivola_page_flip_bench
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
program=$PWD/$build/bench/ui/windows-programs/WithIcons.exe
[ -e "$program" ] || program=""
"$build/bench/ui/kivola_page_flip_bench" "$PWD/assets/generated/demo-icons" "${1:-20}" ${program:+"$program"}
