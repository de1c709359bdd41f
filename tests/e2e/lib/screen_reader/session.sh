#!/bin/bash
# session.sh SCENARIO OUTDIR PROGRAM [ARGS...]
# A private D-Bus session, Xvfb on a free display of :40-:59, the accessibility bus, Orca
# (started first, as a blind player has it running), then the program; then driver.py plays
# SCENARIO and writes what Orca would have spoken to OUTDIR/transcript.* and speech-all.txt.
# Everything started here is stopped at the end, by process id.
set -u
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
if [[ -z ${SESSION_IN_DBUS:-} ]]; then
    export SESSION_IN_DBUS=1
    exec timeout -k 5 900 dbus-run-session -- "$BASH" "$0" "$@"
fi
SCENARIO=$(readlink -f "$1"); OUT=$(readlink -m "$2"); shift 2
mkdir -p "$OUT"
mkdir -p "${BP_ROOT:=${TMPDIR:-/tmp}/screen-reader}"; WORK=$(mktemp -d "$BP_ROOT/work.XXXXXX")
mkdir -m 700 "$WORK/runtime"
export HOME=$WORK/home
mkdir -p "$HOME"
export XDG_RUNTIME_DIR=$WORK/runtime XDG_CONFIG_HOME=$WORK/config XDG_DATA_HOME=$HOME/.local/share \
    XDG_CACHE_HOME=$WORK/cache
unset AT_SPI_BUS_ADDRESS WAYLAND_DISPLAY
PIDS=()
say() { echo "session: $*" >&2; }
alive() { local s; s=$(ps -o stat= -p "$1" 2>/dev/null) && [[ $s != Z* ]]; }
stop_pid() {
    local pid=$1 i
    alive "$pid" || return 0
    kill -TERM "$pid" 2>/dev/null
    for ((i = 0; i < ${2:-3} * 10; i++)); do alive "$pid" || return 0; sleep 0.1; done
    kill -KILL "$pid" 2>/dev/null
}
descendants() { local c; for c in $(ps -o pid= --ppid "$1" 2>/dev/null); do echo "$c"; descendants "$c"; done; }
cleanup() {
    local status=$? pid i extra=()
    if [[ -n ${A11Y_BUS:-} ]]; then
        pid=$(gdbus call --address "$A11Y_BUS" --dest org.freedesktop.DBus \
            --object-path /org/freedesktop/DBus \
            --method org.freedesktop.DBus.GetConnectionUnixProcessID org.a11y.atspi.Registry \
            2>/dev/null | sed -n "s/^(uint32 \([0-9]*\),)$/\1/p")
        [[ -n $pid ]] && PIDS=("${PIDS[@]:0:2}" "$pid" "${PIDS[@]:2}")
    fi
    for ((i = ${#PIDS[@]} - 1; i >= 0; i--)); do
        mapfile -t extra < <(descendants "${PIDS[i]}")
        stop_pid "${PIDS[i]}" 1
        for pid in "${extra[@]}"; do stop_pid "$pid" 1; done
        wait "${PIDS[i]}" 2>/dev/null
    done
    mapfile -t extra < <(grep -lsz "^XDG_RUNTIME_DIR=$WORK/runtime\$" /proc/[0-9]*/environ | cut -d/ -f3)
    for pid in "${extra[@]}"; do
        ((pid == $$)) || ! alive "$pid" && continue
        i=$(ps -o ppid= -p "$pid" | tr -d ' ')
        [[ $i == "$$" || $(ps -o ppid= -p "$i" | tr -d ' ') == "$$" ]] && continue
        stop_pid "$pid" 1
    done
    cp "$WORK"/*.log "$WORK"/orca-debug.out "$OUT"/ 2>/dev/null
    rm -rf "$WORK"
    exit "$status"
}
trap cleanup EXIT
trap 'exit 4' INT TERM

DISPLAY_NUM=
for n in $(seq 40 59); do
    [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$WORK/xvfb.log" 2>&1 &
    XVFB_PID=$!
    for ((i = 0; i < 50; i++)); do
        alive "$XVFB_PID" || break
        if DISPLAY=":$n" xdpyinfo >/dev/null 2>&1 &&
            [[ $(tr -d ' \n' <"/tmp/.X$n-lock" 2>/dev/null) == "$XVFB_PID" ]]; then
            DISPLAY_NUM=$n; break 2
        fi
        sleep 0.1
    done
    stop_pid "$XVFB_PID"
done
[[ -n $DISPLAY_NUM ]] || { say "no free X display among :40-:59"; exit 4; }
PIDS+=("$XVFB_PID")
export DISPLAY=":$DISPLAY_NUM"

GSETTINGS_BACKEND=memory /usr/libexec/at-spi-bus-launcher --launch-immediately \
    >"$WORK/bus-launcher.log" 2>&1 &
PIDS+=("$!")
for ((i = 0; i < 100; i++)); do
    [[ $(gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
        --method org.freedesktop.DBus.NameHasOwner org.a11y.Bus 2>/dev/null) == "(true,)" ]] && break
    sleep 0.1
done
A11Y_ADDRESS=$(gdbus call --session --dest org.a11y.Bus --object-path /org/a11y/bus \
    --method org.a11y.Bus.GetAddress 2>/dev/null)
[[ -n $A11Y_ADDRESS ]] || { say "the accessibility bus did not start"; exit 4; }
gdbus call --session --dest org.a11y.Bus --object-path /org/a11y/bus \
    --method org.freedesktop.DBus.Properties.Set org.a11y.Status IsEnabled '<true>' >/dev/null
A11Y_BUS=${A11Y_ADDRESS#(\'}; A11Y_BUS=${A11Y_BUS%\',)}
say "display $DISPLAY"


# Orca first: the user already runs it when they open the program.
GSETTINGS_BACKEND=memory /usr/bin/python3 "$HERE/orca_linebuffered.py" --disable braille \
    --disable speech --user-prefs "$WORK/orca-prefs" --debug-file "$WORK/orca-debug.out" \
    >"$WORK/orca.log" 2>&1 &
ORCA_PID=$!
PIDS+=("$ORCA_PID")
for ((i = 0; i < 300; i++)); do
    alive "$ORCA_PID" || break
    if gdbus call --address "$A11Y_BUS" --dest org.a11y.atspi.Registry \
        --object-path /org/a11y/atspi/registry \
        --method org.a11y.atspi.Registry.GetRegisteredEvents 2>/dev/null |
        grep -q "'Window:Activate"; then
        sleep 2; break
    fi
    sleep 0.1
done

QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 QT_QPA_PLATFORM=xcb \
    "$@" >"$WORK/program.log" 2>&1 &
PROGRAM_PID=$!
PIDS+=("$PROGRAM_PID")

/usr/bin/python3 "$HERE/driver.py" --pid "$PROGRAM_PID" --orca-log "$WORK/orca-debug.out" \
    --bell-log /dev/null --scenario "$SCENARIO" --out "$OUT" 2>"$WORK/driver.log"
status=$?
sleep 1
stop_pid "$ORCA_PID" 1
exit "$status"
