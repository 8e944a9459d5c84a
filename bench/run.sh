#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs every benchmark executable of the build folder given as $1 offscreen, and the window
# benchmarks once more under a virtual X display (Xvfb).
set -e
build=${1:-build}
for exe in "$build"/bench/*/bench_*; do
    [ -f "$exe" ] && [ -x "$exe" ] || continue
    echo "== $(basename "$exe") (offscreen)"
    QT_QPA_PLATFORM=offscreen "$exe"
done
for exe in "$build"/bench/app/bench_* "$build"/bench/romaji/bench_touch_key; do
    [ -f "$exe" ] && [ -x "$exe" ] || continue
    echo "== $(basename "$exe") (Xvfb)"
    QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x800x24" "$exe"
done
# The input-method figures, through a real fcitx5 and Mozc in a session of their own.
if [ -x "$build/bench/ime/bench_ime_keys" ]; then
    echo "== bench_ime_keys (fcitx5 + Mozc)"
    sh "$(dirname "$0")/../tests/ime/im_session.sh" fcitx5 "$build/bench/ime/bench_ime_keys"
fi
