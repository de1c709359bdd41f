# shellcheck shell=bash
# Shared by the end-to-end tests on Wayland, after common.sh: Weston as a window of the private X
# server, the real program on it, the board found in screenshots, and the way out through
# File > Exit. Weston has no X window ids to measure, so the board is found by its squares.

readonly OUTPUT_WIDTH=800 OUTPUT_HEIGHT=600

# Processes started beside the program (Weston, a sound server), stopped when the script exits.
HELPER_PIDS=()

stop_helpers() {
    local status=$? pid
    # e2e_cleanup reads the script's status from $?, handed on by a subshell that fails with it;
    # under set -e that failure would end the script here, leaving the X server and the logs.
    set +e
    for pid in "${HELPER_PIDS[@]}"; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    (exit "$status")
    e2e_cleanup
}

# weston_setup NAME: e2e_setup, then Weston; the program started afterwards shows on Weston.
weston_setup() {
    e2e_setup "$1"
    trap stop_helpers EXIT
    # The kiosk shell shows the window alone, centred, on black; the output is the top-left of
    # the X screen.
    weston --backend=x11-backend.so --use-pixman --shell=kiosk-shell.so --width=$OUTPUT_WIDTH \
        --height=$OUTPUT_HEIGHT --socket=wayland-board --idle-time=0 >"$E2E_WORK/weston.log" 2>&1 &
    HELPER_PIDS+=($!)
    wait_until 15 "Weston to start" test -S "$XDG_RUNTIME_DIR/wayland-board" || die "no Weston"
    export QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=wayland-board QT_WAYLAND_DISABLE_WINDOWDECORATION=1
}

# find_board: sets CLIENT_X and CLIENT_Y from the last shot, where the first row of the board
# (four pairs of black and white squares of 40 pixels) starts.
find_board() {
    local found
    found=$(python3 - "$SHOT.rgb" "$SCREEN_WIDTH" <<'PYTHON'
import sys
data, width = open(sys.argv[1], "rb").read(), int(sys.argv[2])
squares = (b"\0\0\0" * 40 + b"\xff\xff\xff" * 40) * 4
at = data.find(squares)
while at >= 0 and at % 3:
    at = data.find(squares, at + 1)
if at >= 0:
    print(at // 3 % width, at // 3 // width)
PYTHON
    )
    [[ -n $found ]] && read -r CLIENT_X CLIENT_Y <<<"$found"
}

# The window may still be placed anew right after it first shows: the board must stand still.
board_shown() {
    local before
    shot first
    find_board || return 1
    before="$CLIENT_X $CLIENT_Y"
    sleep 0.3
    shot first
    find_board && [[ "$CLIENT_X $CLIENT_Y" == "$before" ]]
}

# start_on_weston EXECUTABLE WHAT: run it and wait until its board stands still on Weston.
start_on_weston() {
    # Weston draws the pointer where it last saw it: out of the way, in the output's corner.
    xdotool mousemove $((OUTPUT_WIDTH - 1)) $((OUTPUT_HEIGHT - 1))
    "$1" >"$E2E_WORK/program.log" 2>&1 &
    # shellcheck disable=SC2034 # common.sh waits for it and stops it
    PROGRAM_PID=$!
    wait_until 20 "the board to be painted" board_shown || die "$2: the board never appeared"
}

# The piece of the first drag of the tests, (28, 108) to (64, 146), shown on its new square.
moved_piece_shown() {
    shot moved
    [[ $(pixel 60 140) == "$RED" && $(pixel 20 100) == "$BLACK" ]]
}

# The menu covers the piece at (60, 60).
file_menu_open() {
    shot menu
    [[ $(pixel 60 60) != "$RED" ]]
}

# open_file_menu WHAT: a click on the File menu's title.
open_file_menu() {
    xdotool mousemove $((CLIENT_X + 20)) $((CLIENT_Y - 9))
    sleep 0.1
    xdotool click 1
    wait_until 5 "the File menu to open" file_menu_open || die "$1: the File menu did not open"
}

# choose_on_weston DOWNS WHAT: the File menu's item that many steps down.
choose_on_weston() {
    local step
    open_file_menu "$2"
    for ((step = 0; step < $1; step++)); do
        xdotool key Down
        sleep 0.1
    done
    xdotool key Return
}

# exit_through_file_menu SECONDS WHAT: File, then Exit, the menu's last item, reached with the Up
# key; the program must end within SECONDS with status 0, and without a sanitizer's report,
# which a build whose checks do not halt the program prints and still ends with 0.
exit_through_file_menu() {
    local seconds=$1 what=$2 reports
    open_file_menu "$what"
    xdotool key Up
    sleep 0.1
    xdotool key Return
    checks=$((checks + 1))
    if wait_for_exit "$seconds"; then
        expect_equal "$PROGRAM_STATUS" 0 "$what: exit status after Exit"
    else
        fail "$what: the program did not end within $seconds s of Exit"
    fi
    reports=$(grep -c -E 'Sanitizer|runtime error:' "$E2E_WORK/program.log") || true
    expect_equal "$reports" 0 "$what: lines of sanitizer reports in the program's output"
}
