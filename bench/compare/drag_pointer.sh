# The pointer and picture helpers both drag scripts share (drag_cpu.sh, drag_instructions.sh),
# sourced by them.

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

# The first window row that is black at x = 5 below one that is not: each program paints black
# right below its menu bar. A window not painted yet is black from its top row, so this waits
# for the first paint.
board_top() {
    local try row
    for ((try = 0; try < 50; try++)); do
        row=$(import -window "$1" -crop 1x100+5+0 +repage -depth 8 txt:- |
            awk -F'[,:]' 'NR > 1 && !/#000000/ { menu = 1 } menu && /#000000/ { print $2; exit }')
        [[ -n $row ]] && { echo "$row"; return; }
        sleep 0.1
    done
    echo "no board found in window $1" >&2
    exit 1
}

# Moves the pointer back and forth between two points over the empty rows, one xdotool call
# per move, each followed by COMMAND when given; an even count ends at the second point.
move_pointer() {
    local left=$1 top=$2 count=$3 step
    shift 3
    for ((step = 0; step < count; step++)); do
        if ((step % 2 == 0)); then
            xdotool mousemove $((left + 100)) $((top + 180))
        else
            xdotool mousemove $((left + 108)) $((top + 186))
        fi
        "$@"
    done
}
