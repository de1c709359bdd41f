#!/usr/bin/env bash
# Drags a piece in each program with separate xdotool mousemove calls on the current X display,
# and prints the CPU time per move event, in microseconds, of the program and of the X server,
# one line each per program and round: "<name> program_us <value>" and "<name> xserver_us
# <value>". Each round also moves the pointer with no program running, for what the xdotool
# clients alone cost the X server: "xdotool_alone xserver_us <value>".
#
#   drag_cpu.sh XVFB_PID MOVES ROUNDS NAME:TITLE:PROGRAM[:ARGUMENT]...
#
# Each program shows a window with the given title whose client area, right below a menu bar,
# starts with the board's black top-left square (or is black), and turns the pixel under the
# pointer red while dragging from (20, 100) in it.
set -euo pipefail
xvfb_pid=$1 moves=$2 rounds=$3
shift 3
programs=("$@")

# The CPU time used so far by a process's threads, in nanoseconds. It is what utime + stime in
# /proc/PID/stat count, without their rounding to whole clock ticks (10 ms, here far more than
# a move costs).
cpu_ns() {
    awk '{ total += $1 } END { printf "%.0f\n", total }' /proc/"$1"/task/*/schedstat
}

# The colour of window pixel (x, y), as #RRGGBB.
pixel() {
    import -window "$1" -crop "1x1+$2+$3" +repage -depth 8 txt:- | awk 'NR == 2 { print $3 }'
}

# The first window row that is black at x = 5: both programs paint the board's black top-left
# square right below their menu bar. Waits for the first paint.
board_top() {
    local try row
    for ((try = 0; try < 50; try++)); do
        row=$(import -window "$1" -crop 1x100+5+0 +repage -depth 8 txt:- |
            awk -F'[,:]' '/#000000/ { print $2; exit }')
        [[ -n $row ]] && { echo "$row"; return; }
        sleep 0.1
    done
    echo "no board found in window $1" >&2
    exit 1
}

# Moves the pointer back and forth the given number of times, one xdotool call per move.
move_pointer() {
    local left=$1 top=$2 step
    for ((step = 0; step < moves; step++)); do
        if ((step % 2 == 0)); then
            xdotool mousemove $((left + 100)) $((top + 180))
        else
            xdotool mousemove $((left + 108)) $((top + 186))
        fi
    done
}

per_move_us() {
    python3 -c 'import sys; print(f"{int(sys.argv[1]) / 1e3 / int(sys.argv[2]):.2f}")' "$1" "$moves"
}

xdotool_alone() {
    local before
    before=$(cpu_ns "$xvfb_pid")
    move_pointer 0 0
    sleep 0.5
    echo "xdotool_alone xserver_us $(per_move_us $(($(cpu_ns "$xvfb_pid") - before)))"
}

round() {
    local name title program argument
    IFS=: read -r name title program argument <<<"$1"
    "$program" ${argument:+"$argument"} &
    local pid=$!
    local window
    window=$(xdotool search --sync --onlyvisible --name "^$title\$")
    local menu_height
    menu_height=$(board_top "$window")
    eval "$(xdotool getwindowgeometry --shell "$window")"
    local left=$X top=$((Y + menu_height))
    # Grab the red piece on row 2, column 0, then move between two points over the empty rows.
    xdotool mousemove $((left + 20)) $((top + 100)) mousedown 1
    sleep 0.3
    local program_before xvfb_before
    program_before=$(cpu_ns "$pid")
    xvfb_before=$(cpu_ns "$xvfb_pid")
    move_pointer "$left" "$top"
    # Let the last events be handled before reading the clocks.
    sleep 0.5
    local program_ns=$(($(cpu_ns "$pid") - program_before))
    local xvfb_ns=$(($(cpu_ns "$xvfb_pid") - xvfb_before))
    # The dragged piece must have followed the pointer, or the events never reached it.
    local last_x=$((moves % 2 == 0 ? 108 : 100)) last_y=$((moves % 2 == 0 ? 186 : 180))
    local colour
    colour=$(pixel "$window" "$last_x" $((last_y + menu_height)))
    xdotool mouseup 1
    kill "$pid"
    wait "$pid" || true
    if [[ $colour != "#FF0000" ]]; then
        echo "the piece in $title did not follow the pointer (found $colour)" >&2
        exit 1
    fi
    echo "$name program_us $(per_move_us "$program_ns")"
    echo "$name xserver_us $(per_move_us "$xvfb_ns")"
}

for ((r = 0; r < rounds; r++)); do
    echo "drag round $((r + 1)) of $rounds" >&2
    xdotool_alone
    # Each round starts one program later, so that none always runs on a warmer machine.
    for ((i = 0; i < ${#programs[@]}; i++)); do
        round "${programs[(i + r) % ${#programs[@]}]}"
    done
done
