#!/bin/sh
# Runs a command inside a throw-away desktop session with a real Japanese input method:
# a virtual X display, a private D-Bus session bus and fcitx5 or ibus with the Mozc engine,
# each with its own HOME and XDG folders, so that nothing is learned across runs.
#
#   im_session.sh fcitx5|ibus|ibus-direct COMMAND [ARG...]
#
# The command gets DISPLAY, DBUS_SESSION_BUS_ADDRESS, QT_QPA_PLATFORM=xcb, QT_IM_MODULE and
# TYPORIN_IM (the framework's name). Its exit status is the script's; 77 when the session
# cannot be set up (a tool is missing), which the test registration counts as skipped.
#
# The Mozc server refuses to run as root, and ibus only serves clients of its own uid, so as
# root the whole session runs in a user namespace as uid 1000.
set -u
framework=$1
shift

if [ "$(id -u)" = 0 ] && [ -z "${TYPORIN_IM_NAMESPACE:-}" ]; then
    if ! unshare --user --map-user=1000 --map-group=1000 true 2>/dev/null; then
        echo "im_session: no user namespace for the Mozc server, which refuses root" >&2
        exit 77
    fi
    TYPORIN_IM_NAMESPACE=1 exec unshare --user --map-user=1000 --map-group=1000 \
        sh ${TYPORIN_IM_TRACE:+-x} "$0" "$framework" "$@"
fi

for tool in Xvfb dbus-daemon dbus-send; do
    command -v "$tool" >/dev/null 2>&1 || { echo "im_session: $tool is missing" >&2; exit 77; }
done
case $framework in
fcitx5) command -v fcitx5 >/dev/null 2>&1 || { echo "im_session: fcitx5 is missing" >&2; exit 77; } ;;
ibus | ibus-direct) command -v ibus-daemon >/dev/null 2>&1 || { echo "im_session: ibus is missing" >&2; exit 77; } ;;
*) echo "im_session: unknown framework $framework" >&2; exit 2 ;;
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
    # The Mozc server detaches from the framework that starts it: it is found by the session's
    # HOME in its environment.
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
unset SESSION_MANAGER GTK_IM_MODULE XMODIFIERS IBUS_ADDRESS

# The display: Xvfb picks a free number and writes it to the pipe (TYPORIN_IM_DISPLAY asks for
# a given one, for a session looked at by hand).
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

export QT_QPA_PLATFORM=xcb TYPORIN_IM="$framework"
case $framework in
fcitx5)
    mkdir -p "$XDG_CONFIG_HOME/fcitx5"
    # English keyboard and Mozc; the input method starts off, as after a fresh login.
    cat >"$XDG_CONFIG_HOME/fcitx5/profile" <<CONF
[Groups/0]
Name=Default
Default Layout=us
DefaultIM=mozc

[Groups/0/Items/0]
Name=keyboard-us
Layout=

[Groups/0/Items/1]
Name=mozc
Layout=

[GroupOrder]
0=Default
CONF
    cat >"$XDG_CONFIG_HOME/fcitx5/config" <<CONF
[Behavior]
ActiveByDefault=False
ShareInputState=No
CONF
    fcitx5 --disable=all --enable=dbus,dbusfrontend,xcb,keyboard,mozc,classicui ${TYPORIN_IM_VERBOSE:+--verbose=key_trace=5} \
        >"$session/im.log" 2>&1 &
    pids="$! $pids"
    wait_for 30 'has_name org.fcitx.Fcitx5' || { cat "$session/im.log" >&2; exit 1; }
    export QT_IM_MODULE=fcitx
    ;;
ibus | ibus-direct)
    # Mozc as the engine, in hiragana when it starts, or in direct input for ibus-direct: the
    # framework itself is always on.
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
    ibus-daemon --panel=disable --emoji-extension=disable --config=disable --cache=none \
        >"$session/im.log" 2>&1 &
    pids="$! $pids"
    # The daemon writes its address once it listens; asking it anything before that waits
    # for a timeout.
    wait_for 30 'grep -qs ^IBUS_ADDRESS= "$XDG_CONFIG_HOME"/ibus/bus/*' ||
        { cat "$session/im.log" >&2; exit 1; }
    wait_for 30 'ibus engine mozc-jp >/dev/null 2>&1; [ "$(ibus engine 2>/dev/null)" = mozc-jp ]' ||
        { cat "$session/im.log" >&2; exit 1; }
    export QT_IM_MODULE=ibus
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
