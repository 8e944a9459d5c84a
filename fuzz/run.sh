#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs every fuzz target for a fixed time: `sh fuzz/run.sh BUILD_DIR SECONDS`.
# Each starts from its committed seeds in fuzz/corpus/<target> (read only) and a working corpus
# in BUILD_DIR/corpus/<target>. An input that crashes or breaks an invariant is written to
# BUILD_DIR/crashes/ and fails the run; add it to the target's seed folder, so that every later
# run replays it, and write a unit test for the fault it found.
set -u
build=${1:-build-fuzz}
seconds=${2:-30}
here=$(cd "$(dirname "$0")" && pwd)
failed=""
mkdir -p "$build/crashes"
for target in fuzz_cp932 fuzz_register fuzz_datafile fuzz_compare fuzz_wrap fuzz_romaji; do
    work="$build/corpus/$target"
    mkdir -p "$work"
    echo "== $target: $seconds s"
    if ! "$build/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$build/crashes/$target-" \
        "$work" "$here/corpus/$target" >"$build/$target.log" 2>&1; then
        tail -n 40 "$build/$target.log"
        failed="$failed $target"
    else
        grep -E '^stat::(number_of_executed_units|new_units_added)' "$build/$target.log"
    fi
done
if [ -n "$failed" ]; then
    echo "Fuzzing found faults in:$failed (inputs in $build/crashes/)"
    exit 1
fi
echo "Fuzzing found nothing."
