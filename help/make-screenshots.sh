#!/bin/sh
# Makes the manual's pictures from the real program running under Xvfb:
#
#   sh help/make-screenshots.sh [build folder]      (default: build)
#
# The program runs from a temporary copy, so it keeps its Typorin.dat and TextFolder there and
# never touches a learner's files. Each shot_* function below drives the window with xdotool and
# saves one PNG beside this script; to picture another window, add a function and call it at the
# end. Needs xvfb, openbox, xdotool and imagemagick.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
work=$(mktemp -d)
xvfb_pid=
wm_pid=
app_pid=
cleanup() {
    if [ -n "$app_pid" ]; then
        kill "$app_pid" 2>/dev/null || true
        wait "$app_pid" 2>/dev/null || true
    fi
    [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT INT TERM

cp "$build/typorin" "$work/typorin"
cp -r "$here/../TextFolder" "$work/TextFolder"

# A free display of Xvfb's own choosing.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
DISPLAY=:$(cat "$work/display")
export DISPLAY
export XDG_RUNTIME_DIR="$work"

# A window manager places and focuses the windows as on a desktop.
openbox >/dev/null 2>&1 &
wm_pid=$!
sleep 1

# Starts the program (when it is not running) and waits for its main window. The first start
# says that there is no Typorin.dat yet; that box is answered first.
start() {
    if [ -z "$app_pid" ]; then
        "$work/typorin" >/dev/null 2>&1 &
        app_pid=$!
        xdotool search --sync --onlyvisible --name '^TYPORIN' >/dev/null
        sleep 1
        xdotool key Return
        sleep 1
        window=$(xdotool search --onlyvisible --name '^TYPORIN' | tail -1)
        xdotool windowmove "$window" 0 0 windowsize "$window" 960 680
        sleep 1
    fi
}

# Presses keys on the main window, such as "alt+m t".
keys() {
    for key in "$@"; do
        xdotool key --window "$window" "$key"
        sleep 0.3
    done
}

# Types text as keys, slowly enough for every key to be judged.
typing() {
    xdotool type --window "$window" --delay 60 "$1"
    sleep 0.5
}

# Clicks at a point of the main window. In the 960 x 680 window the register list's rows are at
# y = 67, 85, 103 and the sentence list's rows 18 pixels apart from y = 170, at x = 90.
click() {
    xdotool mousemove --window "$window" "$1" "$2" click 1
    sleep 0.5
}

shoot() {
    sleep 0.5
    import -window "$window" "$here/$1"
    echo "$here/$1"
}

# The main window as a first start shows it.
shot_main() {
    start
    shoot main.png
}

# Touch typing: the first sentence of the first register, a few keys typed, one of them wrong.
shot_touch() {
    keys alt+m t
    click 90 330
    typing "sakkq"
    shoot touch.png
}

# Sequential input of an English sentence, with a wrong letter marked.
shot_sequential() {
    keys alt+m p
    click 90 103
    click 90 170
    typing "Good morx"
    shoot sequential.png
}

# Bulk input of a Japanese sentence, typed with mistakes and compared (F5). Without an input
# method running, xdotool's keys arrive as the characters themselves.
shot_bulk() {
    keys alt+m a
    click 90 85
    click 90 188
    typing "駅前の小さな本屋は、夕方になると仕事帰りの人でにぎわう。"
    keys Return
    typing "店主は客の好みをよく覚えて、新しい本が入ると、そっと声をかけてくれくれる。"
    keys F5
    shoot bulk.png
}

shot_main
shot_touch
shot_sequential
shot_bulk
