#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Runs a command inside a throw-away desktop session with a real Japanese input method: a
# virtual X display (or a headless Wayland compositor), a private D-Bus session bus and fcitx5
# or ibus with a Japanese engine, each with its own HOME and XDG folders, so that nothing is
# learned across runs.
#
#   im_session.sh SESSION COMMAND [ARG...]
#
# SESSION is [wayland-]FRAMEWORK[-ENGINE]:
#   fcitx5, fcitx5-anthy, fcitx5-skk     fcitx5 with Mozc (the default engine), Anthy or SKK;
#                                        Japanese input starts off, as after a fresh login
#   ibus, ibus-kkc, ibus-anthy           ibus with Mozc, KKC or Anthy, each in its own first
#                                        input mode (Mozc in hiragana)
#   ibus-direct                          ibus with Mozc in direct input at launch
#   wayland-fcitx5, wayland-ibus         the same under sway's headless backend instead of X;
#                                        QT_IM_MODULE is left unset, so that the program
#                                        chooses the Qt module itself
#
# The command gets DBUS_SESSION_BUS_ADDRESS, QT_QPA_PLATFORM (xcb or wayland), DISPLAY or
# WAYLAND_DISPLAY, QT_IM_MODULE under X, and TYPORIN_IM (the framework: fcitx5, ibus or
# ibus-direct), TYPORIN_IM_ENGINE (mozc, anthy, skk, kkc) and TYPORIN_IM_SESSION (x11 or
# wayland). Its exit status is the script's; 77 when the session cannot be set up (a tool or an
# engine is missing), which the test registration counts as skipped.
#
# The Mozc server refuses to run as root, and ibus only serves clients of its own uid, so as
# root the whole session runs in a user namespace as uid 1000.
set -u
name=$1
shift

if [ "$(id -u)" = 0 ] && [ -z "${TYPORIN_IM_NAMESPACE:-}" ]; then
    if ! unshare --user --map-user=1000 --map-group=1000 true 2>/dev/null; then
        echo "im_session: no user namespace for the Mozc server, which refuses root" >&2
        exit 77
    fi
    TYPORIN_IM_NAMESPACE=1 exec unshare --user --map-user=1000 --map-group=1000 \
        sh ${TYPORIN_IM_TRACE:+-x} "$0" "$name" "$@"
fi

skip() {
    echo "im_session: $*" >&2
    exit 77
}

display_server=x11
rest=$name
case $name in
wayland-*) display_server=wayland rest=${name#wayland-} ;;
esac
framework=${rest%%-*}
engine=${rest#"$framework"}
engine=${engine#-}
case $framework-$engine in
fcitx5- | fcitx5-mozc) engine=mozc ;;
fcitx5-anthy | fcitx5-skk) ;;
ibus- | ibus-mozc) engine=mozc ;;
ibus-direct) framework=ibus-direct engine=mozc ;;
ibus-kkc | ibus-anthy) ;;
*) echo "im_session: unknown session $name" >&2; exit 2 ;;
esac

for tool in dbus-daemon dbus-send; do
    command -v "$tool" >/dev/null 2>&1 || skip "$tool is missing"
done
if [ $display_server = x11 ]; then
    command -v Xvfb >/dev/null 2>&1 || skip "Xvfb is missing"
else
    for tool in sway wtype; do
        command -v "$tool" >/dev/null 2>&1 || skip "$tool is missing (packages sway, wtype)"
    done
    [ -n "$(find /usr/lib -path '*qt6/plugins/platforms/libqwayland-generic.so' 2>/dev/null)" ] ||
        skip "Qt's wayland platform is missing (package qt6-wayland)"
fi
case $framework in
fcitx5)
    command -v fcitx5 >/dev/null 2>&1 || skip "fcitx5 is missing"
    [ -f "/usr/share/fcitx5/addon/$engine.conf" ] || skip "fcitx5-$engine is missing"
    ;;
ibus | ibus-direct)
    command -v ibus-daemon >/dev/null 2>&1 || skip "ibus is missing"
    [ -f "/usr/share/ibus/component/$engine.xml" ] || skip "ibus-$engine is missing"
    ;;
esac

session=$(mktemp -d "${TMPDIR:-/tmp}/typorin-im.XXXXXX") || exit 1
pids=""
cleanup() {
    for pid in $pids; do
        kill "$pid" 2>/dev/null
    done
    for pid in $pids; do
        wait "$pid" 2>/dev/null
    done
    # Engine servers (Mozc's) detach from the framework that starts them: they are found by
    # the session's HOME in their environment.
    for environ in /proc/[0-9]*/environ; do
        if { tr "\\0" "\\n" <"$environ"; } 2>/dev/null | grep -qxF "HOME=$session/home"; then
            pid=${environ#/proc/}
            kill "${pid%/environ}" 2>/dev/null
        fi
    done
    rm -rf "$session"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# Polls `condition` (a shell command) every 50 ms until it holds; false after `seconds`.
wait_for() {
    seconds=$1
    shift
    tries=$((seconds * 20))
    while [ $tries -gt 0 ]; do
        if eval "$@"; then return 0; fi
        sleep 0.05
        tries=$((tries - 1))
    done
    return 1
}

export HOME="$session/home"
export XDG_CONFIG_HOME="$HOME/.config" XDG_DATA_HOME="$HOME/.local/share"
export XDG_CACHE_HOME="$HOME/.cache" XDG_STATE_HOME="$HOME/.local/state"
export XDG_RUNTIME_DIR="$session/run"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_STATE_HOME"
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
unset SESSION_MANAGER GTK_IM_MODULE XMODIFIERS IBUS_ADDRESS QT_IM_MODULE DISPLAY WAYLAND_DISPLAY
# Settings of GTK-based engines (ibus-anthy, ibus-kkc) stay in memory: no dconf service. The
# engines written in Python need the system's interpreter, as a desktop session has it.
export GSETTINGS_BACKEND=memory PATH="/usr/bin:/bin:$PATH"

if [ $display_server = x11 ]; then
    # The display: Xvfb picks a free number and writes it to the pipe (TYPORIN_IM_DISPLAY asks
    # for a given one, for a session looked at by hand).
    if [ -n "${TYPORIN_IM_DISPLAY:-}" ]; then
        echo "$TYPORIN_IM_DISPLAY" >"$session/display"
        Xvfb ":$TYPORIN_IM_DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >"$session/xvfb.log" 2>&1 &
    else
        Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$session/display" \
            >"$session/xvfb.log" 2>&1 &
    fi
    pids="$!"
    wait_for 20 '[ -s "$session/display" ]' || { cat "$session/xvfb.log" >&2; exit 1; }
    export DISPLAY=":$(head -n 1 "$session/display")"
    export QT_QPA_PLATFORM=xcb
else
    # sway without a screen, a GPU or input devices; the runtime folder is the session's own,
    # so its socket name cannot clash. The program asks for activation when a second start
    # wants its window in front; this compositor grants it.
    cat >"$session/sway.conf" <<CONF
xwayland disable
output HEADLESS-1 mode 1280x1024 position 0 0
focus_on_window_activation focus
CONF
    WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
        sway --config "$session/sway.conf" >"$session/sway.log" 2>&1 &
    pids="$!"
    wait_for 20 'ls "$XDG_RUNTIME_DIR"/wayland-* >/dev/null 2>&1' ||
        { cat "$session/sway.log" >&2; exit 1; }
    socket=$(ls "$XDG_RUNTIME_DIR" | grep -m 1 '^wayland-[0-9]*$')
    export WAYLAND_DISPLAY="$socket"
    export QT_QPA_PLATFORM=wayland
    # sway's own IPC socket, for a test that asks which window has the focus.
    SWAYSOCK=$(ls "$XDG_RUNTIME_DIR"/sway-ipc.* 2>/dev/null | head -n 1)
    export SWAYSOCK
    # A virtual keyboard that stays for the whole session. Without it the keyboard of each run
    # of wtype goes away with it, the compositor takes the keyboard focus from the window, and
    # the input method commits whatever it was composing.
    wtype -s 86400000 >/dev/null 2>&1 &
    pids="$! $pids"
fi

# A private session bus that starts no services by itself: a framework asked for by name must
# not be started a second time behind the test's back.
cat >"$session/bus.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:path=$session/bus</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
CONF
dbus-daemon --nofork --config-file="$session/bus.conf" >"$session/bus.log" 2>&1 &
pids="$! $pids"
export DBUS_SESSION_BUS_ADDRESS="unix:path=$session/bus"
wait_for 20 'dbus-send --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.ListNames >/dev/null 2>&1' ||
    { cat "$session/bus.log" >&2; exit 1; }

has_name() {
    dbus-send --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.NameHasOwner \
        "string:$1" 2>/dev/null | grep -q 'boolean true'
}

export TYPORIN_IM="$framework" TYPORIN_IM_ENGINE="$engine" TYPORIN_IM_SESSION="$display_server"
case $framework in
fcitx5)
    mkdir -p "$XDG_CONFIG_HOME/fcitx5"
    # English keyboard and the engine; the input method starts off, as after a fresh login.
    cat >"$XDG_CONFIG_HOME/fcitx5/profile" <<CONF
[Groups/0]
Name=Default
Default Layout=us
DefaultIM=$engine

[Groups/0/Items/0]
Name=keyboard-us
Layout=

[Groups/0/Items/1]
Name=$engine
Layout=

[GroupOrder]
0=Default
CONF
    cat >"$XDG_CONFIG_HOME/fcitx5/config" <<CONF
[Behavior]
ActiveByDefault=False
ShareInputState=No
CONF
    if [ $display_server = x11 ]; then addons=xcb; else addons=wayland; fi
    fcitx5 --disable=all --enable="dbus,dbusfrontend,$addons,keyboard,$engine,classicui" \
        ${TYPORIN_IM_VERBOSE:+--verbose=key_trace=5} >"$session/im.log" 2>&1 &
    pids="$! $pids"
    wait_for 30 'has_name org.fcitx.Fcitx5' || { cat "$session/im.log" >&2; exit 1; }
    [ $display_server = x11 ] && export QT_IM_MODULE=fcitx
    ;;
ibus | ibus-direct)
    # Mozc in hiragana when it starts, or in direct input for ibus-direct; KKC and Anthy in the
    # input mode they start in by themselves. The framework itself is always on.
    mkdir -p "$XDG_CONFIG_HOME/mozc"
    cat >"$XDG_CONFIG_HOME/mozc/ibus_config.textproto" <<CONF
engines {
  name: "mozc-jp"
  longname: "Mozc"
  layout: "default"
  layout_variant: ""
  layout_option: ""
  rank: 80
}
active_on_launch: $([ "$framework" = ibus ] && echo True || echo False)
CONF
    case $engine in
    mozc) ibus_engine=mozc-jp ;;
    *) ibus_engine=$engine ;;
    esac
    ibus-daemon --panel=disable --emoji-extension=disable --config=disable --cache=none \
        >"$session/im.log" 2>&1 &
    pids="$! $pids"
    # The daemon writes its address once it listens; asking it anything before that waits
    # for a timeout.
    wait_for 30 'grep -qs ^IBUS_ADDRESS= "$XDG_CONFIG_HOME"/ibus/bus/*' ||
        { cat "$session/im.log" >&2; exit 1; }
    # KKC reads its settings through the framework's configuration service: the one that keeps
    # them in memory.
    if [ "$engine" = kkc ]; then
        /usr/libexec/ibus-memconf >"$session/memconf.log" 2>&1 &
        pids="$! $pids"
    fi
    wait_for 30 'ibus engine $ibus_engine >/dev/null 2>&1; [ "$(ibus engine 2>/dev/null)" = $ibus_engine ]' ||
        { cat "$session/im.log" >&2; exit 1; }
    [ $display_server = x11 ] && export QT_IM_MODULE=ibus
    ;;
esac

"$@" &
command_pid=$!
pids="$command_pid $pids"
wait "$command_pid"
status=$?
pids=${pids#"$command_pid "}
if [ -n "${TYPORIN_IM_KEEP_LOGS:-}" ]; then
    cp "$session"/*.log "$TYPORIN_IM_KEEP_LOGS"/ 2>/dev/null
fi
exit $status
