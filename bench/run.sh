#!/bin/sh
# Runs every benchmark executable of the build folder given as $1.
set -e
build=${1:-build}
for exe in "$build"/bench/*/bench_*; do
    [ -x "$exe" ] || continue
    echo "== $(basename "$exe")"
    QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$exe"
done
