#!/usr/bin/env bash
# Drags a piece in each program with separate xdotool mousemove calls on the current X display,
# and prints the CPU time per move event, in microseconds, of the program and of the X server,
# one line each per program and round: "<name> program_us <value>" and "<name> xserver_us
# <value>". Each round also moves the pointer with no program running, for what the xdotool
# clients alone cost the X server: "xdotool_alone xserver_us <value>".
#
#   drag_cpu.sh XVFB_PID MOVES ROUNDS NAME:TITLE:PROGRAM[:ARGUMENT]...
#
# A round starts every program side by side and drags in each in turn, 50 moves a turn, until
# each has had MOVES (rounded down to whole turns): whatever else the machine does then falls
# on all of them alike. Each round begins the turns with the next program.
#
# Each program shows a window with the given title whose client area, right below a menu bar,
# starts with the board's black top-left square (or is black). Pressing at (20, 100) in it, on
# the red piece of row 2, column 0, picks that piece up; it then follows the pointer, turning
# the pixel under the pointer red, and can be picked up again where it was let go.
set -euo pipefail
xvfb_pid=$1 rounds=$3
turn_moves=50
turns=$(($2 / turn_moves))
moves=$((turns * turn_moves))
shift 3
programs=("$@")
# shellcheck source=bench/compare/drag_pointer.sh
source "$(dirname "$0")/drag_pointer.sh"

per_move_us() {
    python3 -c 'import sys; print(f"{int(sys.argv[1]) / 1e3 / int(sys.argv[2]):.2f}")' "$1" "$moves"
}

xdotool_alone() {
    local before
    before=$(cpu_ns "$xvfb_pid")
    move_pointer 0 0 "$moves"
    sleep 0.5
    echo "xdotool_alone xserver_us $(per_move_us $(($(cpu_ns "$xvfb_pid") - before)))"
}

names=() titles=() pids=() windows=() menu_heights=() lefts=() tops=() program_ns=() xserver_ns=()

# Starts every program and places its window in its own sixth of the screen (three by two).
start_all() {
    local i name title program argument
    for i in "${!programs[@]}"; do
        IFS=: read -r name title program argument <<<"${programs[i]}"
        "$program" ${argument:+"$argument"} &
        pids[i]=$!
        names[i]=$name titles[i]=$title program_ns[i]=0 xserver_ns[i]=0
    done
    # The windows open over one another; the X server shows what lies under one only once
    # every other has moved away.
    for i in "${!programs[@]}"; do
        windows[i]=$(xdotool search --all --sync --onlyvisible --pid "${pids[i]}" --name "^${titles[i]}\$")
        xdotool windowmove --sync "${windows[i]}" $((i % 3 * 640)) $((i / 3 % 2 * 512))
    done
    for i in "${!programs[@]}"; do
        menu_heights[i]=$(board_top "${windows[i]}")
        local X Y
        eval "$(xdotool getwindowgeometry --shell "${windows[i]}")"
        lefts[i]=$X tops[i]=$((Y + menu_heights[i]))
    done
}

# One turn of program i: picks up the piece at (x, y) and drags it, adding what the moves cost
# the program and the X server to their totals.
turn() {
    local i=$1 x=$2 y=$3
    xdotool mousemove $((lefts[i] + x)) $((tops[i] + y)) mousedown 1
    sleep 0.1
    local program_before xserver_before
    program_before=$(cpu_ns "${pids[i]}")
    xserver_before=$(cpu_ns "$xvfb_pid")
    move_pointer "${lefts[i]}" "${tops[i]}" "$turn_moves"
    # Let the last events be handled before reading the clocks.
    sleep 0.2
    program_ns[i]=$((program_ns[i] + $(cpu_ns "${pids[i]}") - program_before))
    xserver_ns[i]=$((xserver_ns[i] + $(cpu_ns "$xvfb_pid") - xserver_before))
}

# The piece must have followed the pointer in the last turn, or the events never reached it:
# drags it onto an empty square far from where the turns moved it, then looks there.
check_and_end() {
    local i=$1 colour
    xdotool mousemove $((lefts[i] + 260)) $((tops[i] + 140))
    sleep 0.2
    colour=$(pixel "${windows[i]}" 260 $((menu_heights[i] + 140)))
    xdotool mouseup 1
    kill "${pids[i]}"
    wait "${pids[i]}" || true
    if [[ $colour != "#FF0000" ]]; then
        echo "the piece in ${titles[i]} did not follow the pointer (found $colour)" >&2
        exit 1
    fi
}

for ((r = 0; r < rounds; r++)); do
    echo "drag round $((r + 1)) of $rounds" >&2
    xdotool_alone
    start_all
    count=${#programs[@]}
    for ((t = 0; t < turns; t++)); do
        for ((k = 0; k < count; k++)); do
            i=$(((k + r) % count))
            # The first turn picks up the piece; later turns pick it up where the last let go.
            if ((t == 0)); then
                turn "$i" 20 100
            else
                turn "$i" 108 186
            fi
            if ((t == turns - 1)); then
                check_and_end "$i"
            else
                xdotool mouseup 1
            fi
        done
    done
    for i in "${!programs[@]}"; do
        echo "${names[i]} program_us $(per_move_us "${program_ns[i]}")"
        echo "${names[i]} xserver_us $(per_move_us "${xserver_ns[i]}")"
    done
done
