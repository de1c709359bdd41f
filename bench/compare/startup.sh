#!/usr/bin/env bash
# Starts the board and the minimal window alternately on the current X display and prints the
# samples of each start: "<program> startup_ms <value>", "<program> startup_cpu_ms <value>" and
# "<program> peak_rss_kb <value>". Start-up runs from the fork to the X server's report that the
# titled window was mapped; its CPU time is what the program had used by then, which other
# programs on a busy machine disturb far less than the wall clock.
#
#   startup.sh PROBE BOARD MINIMAL RUNS
set -euo pipefail
probe=$1 board=$2 minimal=$3 runs=$4
# Long enough after mapping for the first paint, which is part of the peak.
settle_ms=500

start() {
    local name=$1 title=$2 program=$3
    local line
    line=$("$probe" "$title" "$settle_ms" "$program")
    [[ $line =~ startup_ms=([0-9.]+)\ startup_cpu_ms=([0-9.]+)\ peak_rss_kb=([0-9]+) ]]
    echo "$name startup_ms ${BASH_REMATCH[1]}"
    echo "$name startup_cpu_ms ${BASH_REMATCH[2]}"
    echo "$name peak_rss_kb ${BASH_REMATCH[3]}"
}

# One unrecorded start each, so that both find their libraries in the page cache.
start draughtsboard Form1 "$board" >/dev/null
start minimal "Minimal window" "$minimal" >/dev/null
for ((run = 0; run < runs; run++)); do
    # Alternate which goes first, so neither always follows the other.
    if ((run % 2 == 0)); then
        start draughtsboard Form1 "$board"
        start minimal "Minimal window" "$minimal"
    else
        start minimal "Minimal window" "$minimal"
        start draughtsboard Form1 "$board"
    fi
done
