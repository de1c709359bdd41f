#!/usr/bin/env bash
# Drags a piece in each program under valgrind's callgrind on the current X display and prints
# the instructions the program ran per move event, a figure the rest of the machine cannot
# disturb: "<name> instructions_per_move <value>" and "<name> moves <count>", one line each per
# program.
#
#   drag_instructions.sh MOVES NAME:TITLE:PROGRAM[:ARGUMENT]...
#
# The programs are those of drag_cpu.sh, driven alike: a press at (20, 100) picks up the piece,
# then MOVES xdotool moves back and forth over the empty rows, then a release. Callgrind counts
# every thread from the press handler to the release handler; start-up, the first paint and
# the drop stay out. Each move waits for the last to be handled, since Qt merges queued moves;
# the moves counted are the calls of the program's own mouseMoveEvent.
set -euo pipefail
moves=$1
shift
# shellcheck source=bench/compare/drag_pointer.sh
source "$(dirname "$0")/drag_pointer.sh"

scratch=$(mktemp -d)
pid=
cleanup() {
    [[ -n $pid ]] && kill "$pid" 2>/dev/null
    rm -rf "$scratch"
}
trap cleanup EXIT

# The instructions and the calls of a mouseMoveEvent other than QWidget's in a callgrind dump,
# as "<instructions> <calls>". Names are given once, as "fn=(id) name", then by id alone.
count_dump() {
    python3 - "$1" <<'EOF'
import re
import sys

names = {}
callee = None
calls = 0
instructions = None
handler = re.compile(r"(?<!^QWidget)::mouseMoveEvent\(QMouseEvent\*\)$")
with open(sys.argv[1]) as dump:
    for line in dump:
        key, _, value = line.rstrip("\n").partition("=")
        if key in ("fn", "cfn"):
            number, name = re.fullmatch(r"\((\d+)\)(?: (.*))?", value).groups("")
            names.setdefault(number, name)
            callee = names[number] if key == "cfn" else None
        elif key == "calls" and callee is not None and handler.search(callee):
            calls += int(value.split()[0])
        elif line.startswith(("summary:", "totals:")):
            instructions = int(line.split()[1])
print(instructions, calls)
EOF
}

# Waits until the program has handled the last move: no thread runnable and no CPU spent for
# 20 ms. A move that finds the last one still queued is merged with it.
settle() {
    local before
    while true; do
        before=$(cpu_ns "$pid")
        sleep 0.02
        if ((before == $(cpu_ns "$pid"))) &&
            ! awk '{ sub(/^.*\) /, ""); if ($1 == "R") found = 1 } END { exit !found }' \
                /proc/"$pid"/task/*/stat; then
            return
        fi
    done
}

for entry in "$@"; do
    IFS=: read -r name title program argument <<<"$entry"
    echo "callgrind drag: $name" >&2
    out="$scratch/$name.out"
    # Off the session bus, whose accessibility bus scripts/bench switches on: the figure is the
    # drag's own work, comparable with 5dfdc51's, whose bridge cost several times that.
    env -u DBUS_SESSION_BUS_ADDRESS valgrind --tool=callgrind --callgrind-out-file="$out" \
        --dump-instr=no --dump-line=no \
        --zero-before='*::mousePressEvent(QMouseEvent*)' \
        --dump-before='*::mouseReleaseEvent(QMouseEvent*)' \
        "$program" ${argument:+"$argument"} 2>"$scratch/$name.log" &
    pid=$!
    # Callgrind starts a Qt program in some tens of seconds.
    window=$(timeout 300 xdotool search --all --sync --onlyvisible --pid "$pid" --name "^$title\$")
    top=$(board_top "$window")
    eval "$(xdotool getwindowgeometry --shell "$window")"
    xdotool mousemove $((X + 20)) $((Y + top + 100)) mousedown 1
    sleep 1
    move_pointer "$X" $((Y + top)) "$moves" settle
    xdotool mouseup 1
    # The dump is written before the release is handled; the drop ends where the piece lay.
    for _ in $(seq 300); do
        [[ -s $out.1 ]] && break
        sleep 0.1
    done
    sleep 1
    colour=$(pixel "$window" 100 $((top + 180)))
    kill "$pid"
    wait "$pid" || true
    pid=
    if [[ $colour != "#FF0000" ]]; then
        echo "the piece in $title did not follow the pointer (found $colour)" >&2
        exit 1
    fi
    read -r instructions handled < <(count_dump "$out.1")
    if ((handled == 0)); then
        echo "no move reached $title" >&2
        exit 1
    fi
    echo "$name instructions_per_move $((instructions / handled))"
    echo "$name moves $handled"
done
