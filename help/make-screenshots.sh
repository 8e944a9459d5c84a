#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the manual's pictures from the real program running under Xvfb:
#
#   sh help/make-screenshots.sh [build folder]      (default: build)
#
# With SCREENSHOT_DISPLAY=N it uses display :N instead of a free one of Xvfb's choosing. With
# SCREENSHOT_LANG=en the program runs in an English session and the pictures go to help/en/.
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
preview_pid=
cleanup() {
    [ -n "$preview_pid" ] && kill "$preview_pid" 2>/dev/null || true
    if [ -n "$app_pid" ]; then
        kill "$app_pid" 2>/dev/null || true
        wait "$app_pid" 2>/dev/null || true
    fi
    [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT INT TERM

# The session's language, the folder of the pictures, and what differs between the languages:
# the captions the windows are found by and the menus' access keys.
if [ "${SCREENSHOT_LANG:-ja}" = en ]; then
    app_lang=en_US.UTF-8
    out=$here/en
    caption_graph=Graphs caption_editor=Editor caption_options=Options caption_about=About
    caption_analysis='Kana analysis' caption_course='Kana course'
    key_sequential=s key_bulk=b key_about=a
else
    app_lang=ja_JP.UTF-8
    out=$here
    caption_graph=グラフ caption_editor=エディタ caption_options=設定オプション
    caption_about=バージョン情報 caption_analysis=かな別の分析 caption_course=かなコース
    key_sequential=p key_bulk=a key_about=v
fi
mkdir -p "$out"

cp "$build/typorin" "$work/typorin"
cp -r "$here/../TextFolder" "$work/TextFolder"

# A free display of Xvfb's own choosing, or display $SCREENSHOT_DISPLAY (a number) when set.
if [ -n "${SCREENSHOT_DISPLAY:-}" ]; then
    Xvfb ":$SCREENSHOT_DISPLAY" -screen 0 1024x768x24 -nolisten tcp 2>/dev/null &
    echo "$SCREENSHOT_DISPLAY" >"$work/display"
    sleep 1
else
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
fi
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
        env -u LC_ALL -u LC_MESSAGES LANG="$app_lang" "$work/typorin" >/dev/null 2>&1 &
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
    import -window "$window" "$out/$1"
    echo "$out/$1"
}

# Waits for the window whose caption matches $1 (a regular expression), places it at $2 $3
# (and sizes it to $4 x $5 when given) and makes it the one that keys(), click() and shoot()
# work on. main_window() goes back to the main window.
other_window() {
    main=${main:-$window}
    xdotool search --sync --onlyvisible --name "$1" >/dev/null
    sleep 1
    window=$(xdotool search --onlyvisible --name "$1" | tail -1)
    xdotool windowmove "$window" "$2" "$3"
    [ $# -ge 5 ] && xdotool windowsize "$window" "$4" "$5"
    xdotool windowactivate --sync "$window" 2>/dev/null || true
    sleep 1
}
# Presses keys on the window that close it. They go through the keyboard to the focused
# window, as a learner's do, so that they reach the menu that the first key opens.
close_with() {
    xdotool windowactivate --sync "$window" 2>/dev/null || true
    for key in "$@"; do
        xdotool key "$key"
        sleep 1
    done
}
main_window() {
    window=$main
    xdotool windowactivate --sync "$window" 2>/dev/null || true
    sleep 0.5
}

# The main window as a first start shows it.
shot_main() {
    start
    shoot main.png
}

# Touch typing: the first sentence of the first register, a few keys typed, one of them wrong.
shot_touch() {
    start
    keys alt+m t
    click 90 330
    typing "sakkq"
    shoot touch.png
}

# Sequential input of an English sentence, with a wrong letter marked.
shot_sequential() {
    start
    keys alt+m "$key_sequential"
    click 90 103
    click 90 170
    typing "Good morx"
    shoot sequential.png
}

# Bulk input of a Japanese sentence, typed with mistakes and compared (F5). Without an input
# method running, xdotool's keys arrive as the characters themselves.
shot_bulk() {
    start
    keys alt+m "$key_bulk"
    click 90 85
    click 90 188
    typing "駅前の小さな本屋は、夕方になると仕事帰りの人でにぎわう。"
    keys Return
    typing "店主は客の好みをよく覚えて、新しい本が入ると、そっと声をかけてくれくれる。"
    keys F5
    shoot bulk.png
}

# The records window over real records: an English sentence practised in bulk input five times
# at different speeds, two of them with mistakes, and compared (F5). A practice of 10 seconds
# or less would be drawn as speed 0, so each takes about 20 seconds (xdotool waits half its
# delay between the keys of a character).
shot_records() {
    start
    keys alt+m "$key_bulk"
    click 90 103
    for delay in 600 680 560 640 520; do
        click 90 242
        click 90 224
        sleep 1
        case $delay in
        680) text="Please buy milk, egs, bread and two green aples on your way home." ;;
        560) text="Please buy milk, eggs, bred and two green apples on you way home." ;;
        *) text="Please buy milk, eggs, bread and two green apples on your way home." ;;
        esac
        xdotool type --window "$window" --delay "$delay" "$text"
        keys F5
        sleep 1
    done
    keys alt+t g
    other_window "$caption_graph" 0 0 900 660
    click 60 79
    shoot records.png
    close_with alt+x
    main_window
}

# The editor with a sentence of the Japanese register open (a click on its title opens it).
shot_editor() {
    start
    keys alt+t e
    other_window "$caption_editor" 0 0 900 600
    click 80 80
    click 60 330
    shoot editor.png
    close_with alt+f x
    main_window
}

# Both pages of the settings dialog.
shot_settings() {
    start
    keys alt+t o
    other_window "$caption_options" 100 60
    shoot settings-basic.png
    keys ctrl+Tab
    shoot settings-graph.png
    close_with Return
    main_window
}

# The about box.
shot_about() {
    start
    keys alt+h "$key_about"
    other_window "$caption_about" 100 60
    shoot about.png
    close_with Return
    main_window
}

# The analysis window over three weeks of made-up practice with a few weak kana, with its
# keyboard and its kana chart: the preview of
# the build (bench/records/analysis_preview) fills a statistics store of its own in the
# temporary folder and shows the window over it.
shot_analysis() {
    mkdir -p "$work/analysis"
    env -u LC_ALL -u LC_MESSAGES LANG="$app_lang" \
        "$build/bench/records/analysis_preview" "$work/analysis" >/dev/null 2>&1 &
    preview_pid=$!
    window=${window:-}
    other_window "$caption_analysis" 0 0 960 680
    shoot analysis.png
    # The tab of the kana chart.
    click 133 72
    shoot analysis-chart.png
    close_with Escape
    wait "$preview_pid" 2>/dev/null || true
    [ -n "${main:-}" ] && main_window
    true
}

# The kana course's stage list, and a weakness drill made from the statistics of the analysis
# picture (taken before this one): the program starts again over a copy of that store.
shot_progress() {
    start
    keys alt+m k
    other_window "$caption_course" 0 0
    shoot progress-course.png
    close_with Escape
    main_window
    if [ -f "$work/analysis/TyporinStats.db" ]; then
        kill "$app_pid" && wait "$app_pid" 2>/dev/null || true
        app_pid=
        cp "$work/analysis/TyporinStats.db"* "$work/"
        start
        keys alt+m w
        shoot progress-drill.png
    fi
}

# SHOTS="editor about" makes only those pictures.
for shot in ${SHOTS:-main touch sequential bulk records editor settings about analysis progress}; do
    "shot_$shot"
done
