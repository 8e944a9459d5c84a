#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Types a kana-input drill through the real window under Xvfb with XTest keys (xdotool), once
# with the jp keymap and once with the us keymap, and checks what the statistics store kept:
# the same units with the same keys both times, because kana input takes a key by its place
# (its X key code), not by the character the keymap makes of it. Under the us keymap the key of
# ゛ types "[" and that of ゜ types "]", yet they type ゛ and ゜.
#
#   sh tests/ime/kana_xkeys.sh [build folder] [display number]     (defaults: build, a free one)
#
# Leaves a screenshot of each finished string in $KANA_SHOTS when that is set. Exit status 0
# when both runs recorded the drill, 1 otherwise, 77 when a tool is missing.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../../build}" && pwd)
display=${2:-}
for tool in Xvfb xdotool setxkbmap xkbcomp sqlite3; do
    command -v "$tool" >/dev/null || { echo "kana_xkeys: $tool missing" >&2; exit 77; }
done

work=$(mktemp -d)
# A runtime folder of its own: the single-instance lock of another running copy is not ours.
export XDG_RUNTIME_DIR="$work"
xvfb_pid=
app_pid=
cleanup() {
    if [ -n "$app_pid" ]; then
        kill "$app_pid" 2>/dev/null || true
        wait "$app_pid" 2>/dev/null || true
    fi
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT INT TERM

# -noreset: when its last client leaves, as setxkbmap does before the program starts, the
# server would start afresh with its first keymap. Xvfb picks a free display number and writes
# it to a file, unless one is given.
if [ -n "$display" ]; then
    echo "$display" >"$work/display"
    Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp -noreset 2>/dev/null &
else
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" \
        2>/dev/null &
fi
xvfb_pid=$!
tries=0
until [ -s "$work/display" ] &&
    DISPLAY=":$(head -n 1 "$work/display")" xdotool getdisplaygeometry >/dev/null 2>&1; do
    tries=$((tries + 1))
    if [ $tries -ge 100 ] || ! kill -0 "$xvfb_pid" 2>/dev/null; then
        echo "kana_xkeys: Xvfb did not start" >&2
        exit 1
    fi
    sleep 0.1
done
export DISPLAY=":$(head -n 1 "$work/display")" QT_QPA_PLATFORM=xcb
unset QT_IM_MODULE XMODIFIERS

# がっこう、ぱてぃ。 by kana input: the keysym each keymap has on each place.
strokes() {
    case $1 in
    jp) voiced=at semivoiced=bracketleft ;;
    us) voiced=bracketleft semivoiced=bracketright ;;
    esac
    echo "t $voiced shift+z b 4 shift+comma f $semivoiced w shift+e shift+period"
}

run() {
    keymap=$1
    folder="$work/$keymap"
    mkdir -p "$folder/TextFolder"
    cp "$build/typorin" "$folder/typorin"
    printf 'FF<0001>kana\r\n' >"$folder/TextFolder/kana.txt"
    printf '\202\252\202\301\202\261\202\244\201A\202\317\202\304\202\241\201B\r\n' \
        >>"$folder/TextFolder/kana.txt"
    setxkbmap "$keymap"
    # The key right of 0 tells the keymap the server has: ^ on the jp keymap, = on the us one.
    case $keymap in
    jp) right_of_zero=asciicircum ;;
    us) right_of_zero=equal ;;
    esac
    if ! xkbcomp -w 0 "$DISPLAY" - 2>/dev/null |
        grep -q "key <AE12> *{ *\[ *$right_of_zero,"; then
        echo "kana_xkeys: the X server did not take the $keymap keymap" >&2
        echo "no $keymap keymap" >"$work/$keymap.units"
        return
    fi

    # The first start creates the statistics store; kana input is chosen in it.
    start_app
    stop_app
    sqlite3 "$folder/TyporinStats.db" \
        "INSERT OR REPLACE INTO setting VALUES ('touch.inputStyle', 'kana');"

    start_app
    xdotool key alt+m t
    sleep 0.5
    # The first sentence of the only register.
    xdotool mousemove 90 170 click 1
    sleep 1
    for key in $(strokes "$keymap"); do
        xdotool key --delay 60 "$key"
    done
    sleep 1
    [ -n "${KANA_SHOTS:-}" ] && import -window root "$KANA_SHOTS/kana-$keymap.png"
    xdotool key Return
    sleep 1
    xdotool key Return
    sleep 0.5
    stop_app
    sqlite3 "$folder/TyporinStats.db" \
        "SELECT u.text || ' ' || s.keys || ' ' || a.wrong FROM attempt a
           JOIN spelling s ON s.id = a.spelling JOIN unit u ON u.id = s.unit
           JOIN exercise e ON e.id = a.exercise WHERE e.style = 1 ORDER BY a.rowid;" \
        >"$work/$keymap.units"
    echo "== $keymap"
    cat "$work/$keymap.units"
}

start_app() {
    (cd "$folder" && ./typorin >/dev/null 2>&1) &
    app_pid=$!
    xdotool search --sync --onlyvisible --name '^TYPORIN' >/dev/null
    sleep 1
    xdotool key Return
    sleep 1
    window=$(xdotool search --onlyvisible --name '^TYPORIN' | tail -1)
    xdotool windowmove "$window" 0 0 windowsize "$window" 960 680
    sleep 1
}

# Every string's end has reached the store by now: the program is ended where it stands.
stop_app() {
    sleep 1
    kill "$app_pid"
    wait "$app_pid" 2>/dev/null || true
    app_pid=
}

run jp
run us
expected='が T@ 0
っ Z 0
こ B 0
う 4 0
、 < 0
ぱ F[ 0
て W 0
ぃ E 0
。 > 0'
status=0
for keymap in jp us; do
    units=$(cat "$work/$keymap.units")
    if [ "$units" != "$expected" ]; then
        echo "kana_xkeys: the $keymap run did not record the drill as typed" >&2
        status=1
    fi
done
exit $status
