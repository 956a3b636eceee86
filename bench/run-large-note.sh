#!/usr/bin/env bash
# A large note: the real note window opening a note file of MEGABYTES (lines of ASCII), one
# character typed, and the save of the focus loss, against the same file read and written
# directly in the same run; and the memory the window took.
#
# Usage: bench/run-large-note.sh [MEGABYTES=10] [ROUNDS=5]
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/qt-bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKIVOLA_BUILD_TESTS=OFF \
    -DKIVOLA_BUILD_QT=ON -DKIVOLA_BUILD_BENCH=ON >/dev/null
cmake --build "$build" -j2 --target kivola_large_note_bench
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
"$build/bench/ui/kivola_large_note_bench" "${1:-10}" "${2:-5}" 2> >(grep -v 'XDG_RUNTIME_DIR\|does not support' >&2)
